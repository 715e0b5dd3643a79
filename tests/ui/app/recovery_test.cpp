// Crash recovery: a copy of every unsaved change within two seconds, asked
// about when the file is opened again, gone once saved or thrown away.
#include "core/classfile/gradefile.h"
#include "mainwindowfixture.h"
#include "support/windowfixture.h"
#include "ui/app/recoverylistdialog.h"
#include "ui/gradebook/gradebookwindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

namespace {

void changeWeight(MainWindow& window, const QString& weight) {
    GradeBookWindow* book = window.gradeBook();
    book->selectWeightCell(1);
    book->txtweight->clear();
    QTest::keyClicks(book->txtweight, weight);
    QTest::keyClick(book->txtweight, Qt::Key_Return);
}

int copies(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.info")}, QDir::Files).size();
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void aChangeIsCopiedAndRecoveredOnTheNextOpening();
    void discardAndSaveRemoveTheCopy();
    void startupListsWhatWasLeftAndSetsDamagedCopiesAside();
};

void RecoveryTest::aChangeIsCopiedAndRecoveredOnTheNextOpening() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    QString folder = f.recoveryFolder();
    QString classFile = f.dir.filePath(QStringLiteral("ROOM5.grd"));
    QByteArray original = readAll(classFile);
    changeWeight(window, QStringLiteral("44"));
    QTRY_COMPARE_WITH_TIMEOUT(copies(folder), 1, 2000);
    QCOMPARE(readAll(classFile), original);
    // The program dies here: no question, no save, the copy stays.
    f.window.release()->deleteLater();
    QCOMPARE(copies(folder), 1);

    // The next run opens the same file.
    AppState state;
    MainWindow next(state, f.platform, folder);
    next.show();
    f.doubles.messages.choice(0);
    next.gradesMode();
    f.doubles.files.choose(classFile);
    next.openFile();
    QTRY_VERIFY(!f.doubles.messages.offered.empty());
    QCOMPARE(f.doubles.messages.shown.back().title, QStringLiteral("Recover unsaved changes?"));
    QCOMPARE(f.doubles.messages.offered.back(),
             QStringList({QStringLiteral("&Recover"), QStringLiteral("&Discard")}));
    QCOMPARE(state.classRecord().categoryWeights[1], Value("44"));
    QVERIFY(state.classModified());
    QVERIFY(next.windowTitle().endsWith(QLatin1Char('*')));
    // Save writes it, and the copy goes.
    next.saveFile();
    QCOMPARE(copies(folder), 0);
    ClassRecord saved;
    readClassFile(classFile.toStdString(), saved);
    QCOMPARE(saved.categoryWeights[1].toText(), std::string("44"));
}

void RecoveryTest::discardAndSaveRemoveTheCopy() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    QString folder = f.recoveryFolder();
    changeWeight(window, QStringLiteral("45"));
    window.recoveryJournal().writeNow();
    QCOMPARE(copies(folder), 1);
    // Undoing back to the file as saved leaves nothing to recover.
    window.editundo->trigger();
    QCOMPARE(copies(folder), 0);
    window.editredo->trigger();
    window.recoveryJournal().writeNow();
    QCOMPARE(copies(folder), 1);
    // Close answered No throws the changes away, and their copy.
    f.doubles.messages.answer(MessageButton::No);
    window.closeFile();
    QCOMPARE(copies(folder), 0);

    // Reopened with a copy there: Discard opens the file as it is on disk.
    window.gradesMode();
    f.doubles.files.choose(f.dir.filePath(QStringLiteral("ROOM5.grd")));
    window.openFile();
    changeWeight(window, QStringLiteral("46"));
    window.recoveryJournal().writeNow();
    f.state.classDocument.markSaved();
    f.doubles.messages.answer(MessageButton::No);
    window.closeFile();
    // Closed without a question: the copy stays.
    QCOMPARE(copies(folder), 1);
    f.doubles.messages.choice(1);
    window.gradesMode();
    f.doubles.files.choose(f.dir.filePath(QStringLiteral("ROOM5.grd")));
    window.openFile();
    QTRY_COMPARE(copies(folder), 0);
    QVERIFY(!f.state.classModified());
    QVERIFY(f.state.classRecord().categoryWeights[1] != Value("46"));
}

void RecoveryTest::startupListsWhatWasLeftAndSetsDamagedCopiesAside() {
    Fixture f;
    QString folder = f.recoveryFolder();
    RecoveryStore store(folder.toStdString());
    // A new class never saved, and a copy whose information is garbage.
    std::string untitled = f.dir.filePath(QStringLiteral("untitled.grd")).toStdString();
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 1;
    record.studentNames[0] = "Ortiz, Ana";
    writeClassFile(store.contentPathFor(untitled, "grd").string(), record);
    store.writeInfo(untitled, "grd", nowMs());
    writeAll(folder + QStringLiteral("/0000000000000000.info"), "garbage");

    MainWindow& window = f.start();
    RecoveryListDialog* list = window.offerStartupRecovery();
    QVERIFY(list);
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(f.doubles.messages.shown[0].text.contains(QStringLiteral("set aside")));
    QVERIFY(QFile::exists(folder + QStringLiteral("/0000000000000000.info.damaged")));
    QCOMPARE(list->windowTitle(), QStringLiteral("Unsaved work was found"));
    QCOMPARE(list->rows(), 1);
    QCOMPARE(list->list()->item(0, 0)->text(), QStringLiteral("untitled.grd"));
    list->openButton(0)->click();
    QCOMPARE(f.state.classRecord().studentNames[0], std::string("Ortiz, Ana"));
    QVERIFY(f.state.classModified());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for untitled.grd*"));
    f.state.classDocument.markSaved();
}

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
