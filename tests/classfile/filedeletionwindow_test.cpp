#include "classfile/filedeletionwindow.h"
#include "support/scriptedplatform.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

class FileDeletionWindowTest : public QObject {
    Q_OBJECT

    ScriptedPlatform doubles;
    QTemporaryDir folder;

    void touch(const QString& name) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList listed(FileDeletionWindow& window) {
        QStringList names;
        for (int i = 0; i < window.File1->count(); ++i)
            names << window.File1->item(i)->text();
        return names;
    }
    void click(FileDeletionWindow& window, const QString& name) {
        auto items = window.File1->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        window.File1->setCurrentItem(items.first());
        emit window.File1->itemClicked(items.first());
    }

private slots:
    void init() {
        doubles = ScriptedPlatform();
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        for (const char* name : {"ROOM5.grd", "ROOM5.bup", "WEEK1.pla", "WEEK1.lba", "OLD.GRD",
                                 "notes.txt", "ROOM5.grd.txt"})
            touch(name);
        QDir().mkpath(folder.filePath("sub"));
    }

    void listsOnlyTheProgramsFiles() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        QCOMPARE(listed(window),
                 QStringList({"OLD.GRD", "ROOM5.bup", "ROOM5.grd", "WEEK1.lba", "WEEK1.pla"}));
        QCOMPARE(window.windowTitle(), QString("File Deletion"));
        QCOMPARE(window.Label5->text(), "Path: " + QDir::toNativeSeparators(folder.path()));
        QVERIFY(!window.cmddelete->isEnabled());
    }

    void deletingAfterConfirmation() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        click(window, "ROOM5.bup"); // not the first: any file enables Delete
        QVERIFY(window.cmddelete->isEnabled());
        QCOMPARE(window.selectedFile(), QString("ROOM5.bup"));
        QVERIFY(window.Label5->text().endsWith("ROOM5.bup"));

        doubles.messages.answer(MessageButton::Ok);
        window.cmddelete->click();
        QCOMPARE(doubles.messages.shown.size(), size_t(1));
        QCOMPARE(doubles.messages.shown[0].text, QString("WARNING: ROOM5.BUP\nWILL BE DELETED!"));
        QCOMPARE(doubles.messages.shown[0].title, QString("Delete?"));
        QCOMPARE(doubles.messages.shown[0].style, 17);
        QVERIFY(!QFile::exists(folder.filePath("ROOM5.bup")));
        QVERIFY(!listed(window).contains("ROOM5.bup"));
        QVERIFY(!window.cmddelete->isEnabled());
    }

    void cancelKeepsTheFileAndDisablesDelete() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        click(window, "OLD.GRD"); // the first of the list
        QVERIFY(window.cmddelete->isEnabled());
        doubles.messages.answer(MessageButton::Cancel);
        window.cmddelete->click();
        QVERIFY(QFile::exists(folder.filePath("OLD.GRD")));
        QVERIFY(!window.cmddelete->isEnabled());
        QCOMPARE(window.Label5->text(), "Path: " + QDir::toNativeSeparators(folder.path()));
    }

    void aFailedDeletionSaysSoAndKeepsTheWindow() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        click(window, "WEEK1.pla");
        QFile::remove(folder.filePath("WEEK1.pla")); // gone behind the window's back
        doubles.messages.answer(MessageButton::Ok);
        window.cmddelete->click();
        QCOMPARE(doubles.messages.shown.size(), size_t(2));
        QVERIFY(doubles.messages.shown[1].text.startsWith("Unable to delete.\n"));
        QCOMPARE(doubles.messages.shown[1].title, QString("Error!"));
        QCOMPARE(doubles.messages.shown[1].style, 48);
        QVERIFY(window.cmddelete->isEnabled());
    }

    void foldersAreEnteredAndClickingOneDisablesDelete() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        click(window, "ROOM5.grd");
        auto sub = window.Dir1->findItems("sub", Qt::MatchExactly);
        QCOMPARE(sub.size(), 1);
        emit window.Dir1->itemClicked(sub.first());
        QVERIFY(!window.cmddelete->isEnabled());
        emit window.Dir1->itemActivated(sub.first());
        QCOMPARE(window.folder(), QDir(folder.filePath("sub")).absolutePath());
        QCOMPARE(window.File1->count(), 0);
        auto up = window.Dir1->findItems("..", Qt::MatchExactly);
        QCOMPARE(up.size(), 1);
        emit window.Dir1->itemActivated(up.first());
        QCOMPARE(window.folder(), QDir(folder.path()).absolutePath());
    }
};

QTEST_MAIN(FileDeletionWindowTest)
#include "filedeletionwindow_test.moc"
