#include "support/scriptedplatform.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/platform/qtmessagebox.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

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
    const QStringList kListed{"OLD.GRD", "ROOM5.bup", "ROOM5.grd", "WEEK1.lba", "WEEK1.pla"};

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
        QTRY_COMPARE(window.listedFiles(), kListed);
        window.show();
        // The folder tree opens down to the folder shown, which is selected.
        QTRY_COMPARE(window.Dir1->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                     QDir(folder.path()).absolutePath());
        QVERIFY(!window.clickFile("notes.txt"));
        QCOMPARE(window.windowTitle(), QString("File Deletion"));
        QCOMPARE(window.Label5->text(), "Path: " + QDir::toNativeSeparators(folder.path()));
        QVERIFY(!window.cmddelete->isEnabled());
        QVERIFY(window.Drive1->findData(QDir::rootPath()) >= 0);
        QVERIFY(window.Drive1->findData(QDir::homePath()) >= 0);
    }

    void onlyTheFourKindsCountAsTheProgramsFiles() {
        QVERIFY(FileDeletionWindow::isProgramFile("ROOM5.grd"));
        QVERIFY(FileDeletionWindow::isProgramFile("ROOM5.BUP"));
        QVERIFY(FileDeletionWindow::isProgramFile("a.lba"));
        QVERIFY(!FileDeletionWindow::isProgramFile(".pla"));
        QVERIFY(!FileDeletionWindow::isProgramFile("ROOM5.grd.txt"));
        QVERIFY(!FileDeletionWindow::isProgramFile("notes.txt"));
    }

    void deletingAfterConfirmation() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        QTRY_COMPARE(window.listedFiles(), kListed);
        QVERIFY(window.clickFile("ROOM5.bup")); // not the first: any file enables Delete
        QVERIFY(window.cmddelete->isEnabled());
        QCOMPARE(window.selectedFile(), QString("ROOM5.bup"));
        QVERIFY(window.Label5->text().endsWith("ROOM5.bup"));

        doubles.messages.answer(MessageButton::Ok);
        window.cmddelete->click();
        QCOMPARE(doubles.messages.shown.size(), size_t(1));
        // The name as spelled on disk; Cancel is the default button.
        QCOMPARE(doubles.messages.shown[0].text, QString("WARNING: ROOM5.bup\nWILL BE DELETED!"));
        QCOMPARE(doubles.messages.shown[0].title, QString("Delete?"));
        QCOMPARE(doubles.messages.shown[0].style, 273);
        QVERIFY(!QFile::exists(folder.filePath("ROOM5.bup")));
        QTRY_VERIFY(!window.listedFiles().contains("ROOM5.bup"));
        QVERIFY(!window.cmddelete->isEnabled());
    }

    // Enter on the question takes its default button, which must keep the file.
    void theQuestionsDefaultKeepsTheFile() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        QTRY_COMPARE(window.listedFiles(), kListed);
        QVERIFY(window.clickFile("WEEK1.lba"));
        window.cmddelete->click(); // unanswered: the style's default button
        QCOMPARE(doubles.messages.unscripted, 1);
        QVERIFY(QFile::exists(folder.filePath("WEEK1.lba")));
        // The real box offers Cancel as its default for that style too.
        auto style = static_cast<MessageStyle>(doubles.messages.shown.back().style);
        QCOMPARE(messageBoxLayout(style).defaultButton, QMessageBox::Cancel);
    }

    // Opened with no folder given, the window shows the current folder, and
    // its folder tree stands open there.
    void opensAtTheCurrentFolder() {
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.filePath("sub")));
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        QDir::setCurrent(before);
        window.resize(560, 380);
        window.show();
        const QString sub = QDir(folder.filePath("sub")).absolutePath();
        QCOMPARE(window.folder(), sub);
        QTRY_COMPARE(window.Dir1->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                     sub);
        QModelIndex shown = window.Dir1->currentIndex();
        QTRY_VERIFY(
            window.Dir1->viewport()->rect().contains(window.Dir1->visualRect(shown).center()));
        for (QModelIndex up = shown.parent(); up.isValid(); up = up.parent())
            QVERIFY(window.Dir1->isExpanded(up));
    }

    // A screen reader reads one item per file, by its name, and nothing else
    // of what the file model knows (size, type, date).
    void theListSpeaksFileNames() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        window.show();
        QTRY_COMPARE(window.listedFiles(), kListed);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window.File1);
        QVERIFY(list);
        QCOMPARE(list->text(QAccessible::Name), QString("File List"));
        QStringList spoken;
        for (int i = 0; i < list->childCount(); ++i)
            spoken << list->child(i)->text(QAccessible::Name);
        spoken.sort(Qt::CaseInsensitive);
        QCOMPARE(spoken, kListed);
    }

    void cancelKeepsTheFileAndDisablesDelete() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        QTRY_COMPARE(window.listedFiles(), kListed);
        QVERIFY(window.clickFile("OLD.GRD")); // the first of the list
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
        QTRY_COMPARE(window.listedFiles(), kListed);
        QVERIFY(window.clickFile("WEEK1.pla"));
        QFile::remove(folder.filePath("WEEK1.pla")); // gone behind the window's back
        doubles.messages.answer(MessageButton::Ok);
        window.cmddelete->click();
        QCOMPARE(doubles.messages.shown.size(), size_t(2));
        QVERIFY(doubles.messages.shown[1].text.startsWith("Unable to delete.\n"));
        QCOMPARE(doubles.messages.shown[1].title, QString("Error!"));
        QCOMPARE(doubles.messages.shown[1].style, 48);
        QVERIFY(window.cmddelete->isEnabled());
    }

    void clickingAFolderListsItsFilesAndDisablesDelete() {
        Platform platform = doubles.platform();
        FileDeletionWindow window(platform);
        window.setFolder(folder.path());
        QTRY_COMPARE(window.listedFiles(), kListed);
        QVERIFY(window.clickFile("ROOM5.grd"));
        window.clickFolder(folder.filePath("sub"));
        QVERIFY(!window.cmddelete->isEnabled());
        QCOMPARE(window.folder(), QDir(folder.filePath("sub")).absolutePath());
        QTRY_COMPARE(window.listedFiles(), QStringList());
        window.clickFolder(folder.path());
        QTRY_COMPARE(window.listedFiles().join(","), kListed.join(","));
    }
};

QTEST_MAIN(FileDeletionWindowTest)
#include "filedeletionwindow_test.moc"
