#include <QTest>

#include "core/classfile/gradefile.h"
#include "core/lessons/lessonfile.h"
#include "ui/app/mainwindowfixture.h"
#include "ui/app/steppanel.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/roster/newclassdialog.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace tallyro;
using namespace tallyro::test;

// The main window's file commands as the teacher reaches them: each mode's
// New, Open, Save, Backup, Restore and Delete go to the right place, and
// every save writes the file that is open.
class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void newOpensTheDialogOfTheMode() {
        Fixture f;
        MainWindow& window = f.start();
        window.newFile(); // lesson mode at start-up
        QVERIFY(f.window->lessonCommands().newDialog());
        QVERIFY(!f.window->rosterCommands().newClassDialog());
        f.window->lessonCommands().newDialog()->close();

        window.gradesMode();
        window.newFile();
        QVERIFY(f.window->rosterCommands().newClassDialog());
        QVERIFY(f.doubles.messages.shown.empty());
    }

    void backupProposesTheWorkingNameAndWritesMemory() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        test::editClass(f.state, [&](ClassRecord& r) { r.studentNames[0] = "Changed In Memory"; });
        test::markUnsaved(f.state);
        QByteArray original = readAll(f.dir.filePath("ROOM5.grd"));

        QString stick = f.dir.filePath("stick");
        QDir().mkpath(stick);
        f.doubles.files.choose(stick + "/ROOM5"); // completed with .bup
        window.backup();
        const auto& shown = f.doubles.files.shown.back();
        QCOMPARE(shown.title, QStringLiteral("BackUp (floppy recommended)"));
        QCOMPARE(shown.fileName, QStringLiteral("ROOM5.bup"));
        QCOMPARE(shown.filter, QStringLiteral("grade files (*.bup)|*.bup"));
        QCOMPARE(shown.flags, int(FileDialog::OverwritePrompt));
        QVERIFY(shown.save);

        ClassRecord backup;
        readClassFile((stick + "/ROOM5.bup").toStdString(), backup);
        QCOMPARE(QString::fromStdString(backup.studentNames[0]),
                 QStringLiteral("Changed In Memory"));
        // The working file, its name and its unsaved changes are untouched.
        QCOMPARE(readAll(f.dir.filePath("ROOM5.grd")), original);
        QCOMPARE(f.state.currentFileName, std::string("ROOM5.grd"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd*"));
        QCOMPARE(f.state.classModified(), true);
        QCOMPARE(f.doubles.files.fileName(), QStringLiteral("ROOM5.grd"));

        // Save still writes the open file, though the dialog moved the folder.
        QVERIFY(window.isCommandEnabled(ShellCommand::Save));
        window.saveFile();
        ClassRecord saved;
        readClassFile(f.dir.filePath("ROOM5.grd").toStdString(), saved);
        QCOMPARE(QString::fromStdString(saved.studentNames[0]),
                 QStringLiteral("Changed In Memory"));
        QVERIFY(!QFile::exists(stick + "/ROOM5.grd"));
    }

    void backupNamesFollowTheCompletionRule() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        f.state.currentFileName = "CLASSROOM";
        f.doubles.files.cancel();
        window.backup();
        QCOMPARE(f.doubles.files.shown.back().fileName, QStringLiteral("CLASS.bup"));
        QVERIFY(f.doubles.messages.shown.empty()); // a cancel is silent
        QCOMPARE(f.doubles.files.fileName(), QStringLiteral("CLASSROOM"));

        f.doubles.files.choose(f.dir.filePath("COPY.GRD"));
        window.backup();
        QVERIFY(QFile::exists(f.dir.filePath("COPY.GRD")));
        f.doubles.files.choose(f.dir.filePath("A.B"));
        window.backup();
        QVERIFY(QFile::exists(f.dir.filePath("A.B.bup")));
    }

    void restoreMakesTheBackupTheOpenFile() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        f.doubles.files.choose(f.dir.filePath("ROOM5.bup"));
        window.backup();
        window.closeFile();
        QVERIFY(window.isCommandEnabled(ShellCommand::Restore));

        f.doubles.files.choose(f.dir.filePath("ROOM5.bup"));
        window.restore();
        const auto& shown = f.doubles.files.shown.back();
        QCOMPARE(shown.title, QStringLiteral("Restore"));
        QCOMPARE(shown.fileName, QStringLiteral("*.bup"));
        QCOMPARE(shown.filter, QStringLiteral("grade files (*.bup)|*.bup"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.bup"));
        QVERIFY(f.state.classRecord().studentCount > 0);

        test::editClass(f.state,
                        [&](ClassRecord& r) { r.studentNames[1] = "Saved Into The Backup"; });
        window.saveFile();
        ClassRecord backup;
        readClassFile(f.dir.filePath("ROOM5.bup").toStdString(), backup);
        QCOMPARE(QString::fromStdString(backup.studentNames[1]),
                 QStringLiteral("Saved Into The Backup"));
    }

    void lessonModeUsesLessonFiles() {
        Fixture f;
        MainWindow& window = f.start();
        QString week = f.dir.filePath("WEEK1.pla");
        LessonPlan plan;
        plan.clearToCapacity();
        plan.periodNames = defaultPeriodNames();
        plan.periodNames.resize(11);
        plan.lessonTexts[0] = "Fractions";
        writeLessonFile(week.toStdString(), plan);

        f.doubles.files.choose(week);
        window.openFile();
        QCOMPARE(f.doubles.files.shown.back().filter, QStringLiteral("lesson files (*.pla)|*.pla"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for WEEK1.pla"));
        QVERIFY(f.window->lessonCommands().editor());
        QVERIFY(!window.stepPanel()->isVisible());

        test::editWeek(f.state, [&](LessonPlan& r) { r.lessonTexts[1] = "Spelling"; });
        test::markUnsaved(f.state);
        f.doubles.files.choose(f.dir.filePath("elsewhere/COPY"));
        QDir().mkpath(f.dir.filePath("elsewhere"));
        window.saveFileAs();
        QVERIFY(QFile::exists(f.dir.filePath("elsewhere/COPY.pla")));
        QCOMPARE(f.state.classModified(), true);

        window.saveFile(); // writes WEEK1.pla, not a file in the folder moved to
        LessonPlan back;
        readLessonFile(week.toStdString(), back);
        QCOMPARE(QString::fromStdString(back.lessonTexts[1]), QStringLiteral("Spelling"));
        QCOMPARE(f.state.classModified(), false);

        f.doubles.files.choose(f.dir.filePath("WEEK1"));
        window.backup();
        QCOMPARE(f.doubles.files.shown.back().fileName, QStringLiteral("WEEK1.lba"));
        QVERIFY(QFile::exists(f.dir.filePath("WEEK1.lba")));

        window.closeFile();
        QTRY_VERIFY(!f.window->lessonCommands().editor());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    }

    void aLessonFileNamedAtStartUpOpensInLessonMode() {
        Fixture f;
        MainWindow& window = f.start();
        QString week = f.dir.filePath("WEEK2.pla");
        LessonPlan plan;
        plan.clearToCapacity();
        writeLessonFile(week.toStdString(), plan);
        window.openFileAtStartup(week);
        QCOMPARE(f.state.workMode, WorkMode::Lessons);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for WEEK2.pla"));
        QVERIFY(f.window->lessonCommands().editor());
    }

    void deleteOpensOneDeletionWindow() {
        Fixture f;
        MainWindow& window = f.start();
        window.deleteFiles();
        window.deleteFiles();
        QVERIFY(f.window->deletionWindow());
        QCOMPARE(f.subWindowCount(), 1);
        f.window->deletionWindow()->cmdcancel->click();
        QTRY_COMPARE(f.subWindowCount(), 0); // no empty frame is left behind
    }
};

QTEST_MAIN(FileCommandsTest)
#include "filecommands_test.moc"
