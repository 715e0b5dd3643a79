#include "ui/platform/qtsettingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyro;

class QtSettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void neverWrittenKeysReadTheirDefault();
    void valuesSurviveIntoTheNextRun();
    void valuesAreKeptUnderTheUserSection();
    void handEditedListReadsAsText();
};

void QtSettingsStoreTest::neverWrittenKeysReadTheirDefault() {
    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath(QStringLiteral("tlyro.ini")), QSettings::IniFormat);
    QCOMPARE(store.read(QStringLiteral("school")), QString());
    QCOMPARE(store.read(QStringLiteral("fail limit"), QStringLiteral("70")), QStringLiteral("70"));
    // A value written empty is no longer "never written".
    store.write(QStringLiteral("teacher"), QString());
    QCOMPARE(store.read(QStringLiteral("teacher"), QStringLiteral("nobody")), QString());
}

void QtSettingsStoreTest::valuesSurviveIntoTheNextRun() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tlyro.ini"));
    // Texts a teacher types: commas, separators of the file format, blanks
    // at the ends, letters beyond ASCII.
    const QList<QPair<QString, QString>> values = {
        {QStringLiteral("school"), QStringLiteral("Lincoln Elementary, Room 5")},
        {QStringLiteral("teacher"), QStringLiteral("Mrs. Müller; \"Anne\" = [T]")},
        {QStringLiteral("grade level"), QStringLiteral(" 4th ")},
        {QStringLiteral("fail limit"), QStringLiteral("70.5")},
    };
    {
        QtSettingsStore store(file, QSettings::IniFormat);
        for (const auto& [key, value] : values)
            store.write(key, value);
        QCOMPARE(store.location(), file);
    }
    QVERIFY(QFile::exists(file));
    QtSettingsStore next(file, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        QCOMPARE(next.read(key, QStringLiteral("default")), value);
}

void QtSettingsStoreTest::valuesAreKeptUnderTheUserSection() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tlyro.ini"));
    QtSettingsStore(file, QSettings::IniFormat)
        .write(QStringLiteral("school"), QStringLiteral("X"));
    QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("User/school")).toString(), QStringLiteral("X"));
    QVERIFY(!raw.contains(QStringLiteral("school")));
}

void QtSettingsStoreTest::handEditedListReadsAsText() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tlyro.ini"));
    QFile ini(file);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[User]\nschool=Lincoln, Room 5\n");
    ini.close();
    QtSettingsStore store(file, QSettings::IniFormat);
    QCOMPARE(store.read(QStringLiteral("school")), QStringLiteral("Lincoln, Room 5"));
}

QTEST_MAIN(QtSettingsStoreTest)
#include "qtsettingsstore_test.moc"
