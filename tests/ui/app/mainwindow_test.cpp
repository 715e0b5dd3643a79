#include <QTest>

#include "core/classfile/gradefile.h"
#include "ui/app/mainwindow.h"
#include "ui/app/mainwindowfixture.h"
#include "ui/app/startupform.h"
#include "ui/app/steppanel.h"
#include "ui/platform/ondemandmodule.h"
#include "ui/stats/statisticswindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsStartupFormInLessonMode();
    void noStartupFormWhenDetailsAreStored();
    void storedFailLimitIsKept();
    void toolbarAndMenusHaveTheirNames();
    void noFileStateAndFileOpenStateAreOpposites();
    void closeWithoutChangesAsksNothing();
    void closeWithChangesCancelKeepsEverything();
    void closeWithChangesYesSavesThenCloses();
    void closeYesWithFailingSaveKeepsTheFileOpen();
    void rosterBeingTypedIsOfferedForSaving();
    void exitWarnsOnlyWithChanges();
    void frameCloseWarnsLikeExit();
    void settingsAreWrittenAtShutDown();
    void openCancelIsSilentAndEmptiesTheRecord();
    void badFileReportsAndEmptiesTheRecord();
    void saveAsLeavesCaptionAndSaveTarget();
    void commandLineFileOpensInGradeMode();
    void gradeEntryWithNoStudentsDoesNothing();
    void gradeEntryOpensOnce();
    void gradeThatCannotBeAveragedIsReported();
    void helpAndInformationCommands();
    void statisticsComeFromTheChartsModuleInTheProgram();
};

void MainWindowTest::firstStartShowsStartupFormInLessonMode() {
    Fixture f(false);
    MainWindow& window = f.start();
    QTRY_VERIFY(window.findChild<StartupForm*>("form7") != nullptr);
    auto* form = window.findChild<StartupForm*>("form7");
    QVERIFY(form->isVisible());
    QCOMPARE(form->focusWidget(), form->Text1);
    QCOMPARE(f.state.workMode, WorkMode::Lessons);
    QVERIFY(window.toolbarButton(12)->isChecked());
    QVERIFY(!window.toolbarButton(13)->isChecked());
    QVERIFY(window.stepPanel()->isHidden());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QCOMPARE(f.state.failLimit, Value(0)); // "fail limit" never stored
}

void MainWindowTest::noStartupFormWhenDetailsAreStored() {
    Fixture f;
    MainWindow& window = f.start();
    QCoreApplication::processEvents();
    QCOMPARE(window.findChild<StartupForm*>("form7"), nullptr);
    QCOMPARE(f.state.schoolName, std::string("Lincoln Elementary"));
    QCOMPARE(f.state.gradeLevel, std::string("5"));

    // Only one detail missing is enough to ask again.
    Fixture g;
    g.doubles.settings.values["teacher"] = "";
    g.start();
    QTRY_VERIFY(g.window->findChild<StartupForm*>("form7") != nullptr);
    auto* form = g.window->findChild<StartupForm*>("form7");
    QCOMPARE(form->focusWidget(), form->Text2);
}

void MainWindowTest::storedFailLimitIsKept() {
    Fixture f;
    f.doubles.settings.values["fail limit"] = "";
    f.start();
    QCOMPARE(f.state.failLimit, Value(0));
    Fixture g;
    g.doubles.settings.values["fail limit"] = "65";
    g.start();
    QCOMPARE(g.state.failLimit.toText(), std::string("65"));
}

void MainWindowTest::toolbarAndMenusHaveTheirNames() {
    Fixture f;
    MainWindow& window = f.start();
    const QStringList tips = {
        " New ",     " Open ",   " Save ",  " Save As ",          " Print ",         " Backup ",
        " Restore ", " Delete ", " Leave ", " Lessons (Ctrl+L) ", " Grades (Ctrl+G)"};
    const int indices[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13};
    for (int i = 0; i < tips.size(); ++i) {
        QAction* action = window.toolbarButton(indices[i]);
        QCOMPARE(action->toolTip(), tips[i]);
        QWidget* button = window.Toolbar1->widgetForAction(action);
        QVERIFY(button);
        QCOMPARE(button->accessibleName(), tips[i].section('(', 0, 0).trimmed());
    }
    QVERIFY(window.toolbarButton(1)->isSeparator());
    QCOMPARE(window.Toolbar1->actions().size(), 13);
    // Each step caption is whole in bold (the current step) as well as plain.
    for (Step step : {Step::EditGrid, Step::GradeEntry, Step::NameEntry, Step::GradeReport}) {
        StepCaption* caption = window.stepPanel()->caption(step);
        for (bool bold : {false, true}) {
            window.stepPanel()->setBold(step, bold);
            QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <=
                         caption->contentsRect().width(),
                     qPrintable(caption->text()));
        }
    }
    QCOMPARE(window.fileMenuItem(3)->text(), QStringLiteral("Save &As"));
    QVERIFY(window.fileMenuItem(4)->isSeparator());
    QVERIFY(window.fileMenuItem(6)->isSeparator());
    // The nine items of the File menu, and "E&xport..." after Print.
    QCOMPARE(window.mnufile->actions().size(), 10);
    QCOMPARE(window.findChild<QAction*>("Search")->text(), QStringLiteral("&Search for..."));
    QVERIFY(!window.lbldate->text().isEmpty());
    QVERIFY(window.lbldate->text().contains(QLatin1Char(',')));
    QCOMPARE(window.lbldate->text().section(',', 1),
             QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")));
}

void MainWindowTest::noFileStateAndFileOpenStateAreOpposites() {
    Fixture f;
    MainWindow& window = f.start();
    const ShellCommand fileOpenOnly[] = {ShellCommand::Save, ShellCommand::SaveAs,
                                         ShellCommand::Print, ShellCommand::Backup,
                                         ShellCommand::Close};
    const ShellCommand noFileOnly[] = {ShellCommand::New,     ShellCommand::Open,
                                       ShellCommand::Restore, ShellCommand::Delete,
                                       ShellCommand::Lessons, ShellCommand::Grades};
    for (ShellCommand c : fileOpenOnly)
        QVERIFY(!window.isCommandEnabled(c));
    for (ShellCommand c : noFileOnly)
        QVERIFY(window.isCommandEnabled(c));
    QVERIFY(!window.isCommandEnabled(ShellCommand::AddStudent)); // lesson mode
    window.gradesMode();
    QVERIFY(window.isCommandEnabled(ShellCommand::AddStudent));

    f.openSample();
    for (ShellCommand c : fileOpenOnly)
        QVERIFY(window.isCommandEnabled(c));
    for (ShellCommand c : noFileOnly)
        QVERIFY(!window.isCommandEnabled(c));
    QVERIFY(!window.isCommandEnabled(ShellCommand::AddStudent));
    QVERIFY(window.isCommandEnabled(ShellCommand::Exit));
    QVERIFY(!window.stepPanel()->isHidden());
    QVERIFY(window.stepPanel()->isBold(Step::EditGrid));
    QVERIFY(window.stepPanel()->isRaised(Step::EditGrid));
    QVERIFY(window.gradeBook());
    QCOMPARE(f.state.classRecord().studentCount, 25);
    QCOMPARE(f.state.currentFileName, std::string("ROOM5.grd"));
    const auto& shown = f.doubles.files.shown.back();
    QCOMPARE(shown.title, QStringLiteral("Open"));
    QCOMPARE(shown.flags, int(FileDialog::PathMustExist));
    QCOMPARE(shown.fileName, QStringLiteral("*.grd"));
    QCOMPARE(shown.filter, QStringLiteral("grade files (*.grd)|*.grd"));
    QVERIFY(f.doubles.messages.shown.empty());
}

void MainWindowTest::closeWithoutChangesAsksNothing() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    window.closeFile();
    QVERIFY(f.doubles.messages.shown.empty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QVERIFY(window.stepPanel()->isHidden());
    QCOMPARE(f.state.classRecord().studentCount, 0);
    QVERIFY(!f.state.classRecord().hasCapacity());
    QVERIFY(window.isCommandEnabled(ShellCommand::Open));
    QVERIFY(!window.isCommandEnabled(ShellCommand::Close));
    QVERIFY(window.isCommandEnabled(ShellCommand::AddStudent)); // still grade mode
    QTRY_COMPARE(f.subWindowCount(), 0);
}

void MainWindowTest::closeWithChangesCancelKeepsEverything() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    test::markUnsaved(f.state);
    f.doubles.messages.answer(MessageButton::Cancel);
    window.closeFile();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QCOMPARE(f.doubles.messages.shown[0].text,
             QStringLiteral("ROOM5.grd has changed.\n\nSave current changes?"));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Edit Grid"));
    QCOMPARE(f.doubles.messages.shown[0].style, 35);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd*"));
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.state.classRecord().studentCount, 25);
    QVERIFY(window.isCommandEnabled(ShellCommand::Close));

    // No: closes without writing.
    QByteArray before = readAll(f.dir.filePath("ROOM5.grd"));
    test::editClass(f.state, [&](ClassRecord& r) { r.studentNames[0] = "Changed, Name"; });
    f.doubles.messages.answer(MessageButton::No);
    window.closeFile();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QCOMPARE(f.state.classModified(), false);
    QCOMPARE(readAll(f.dir.filePath("ROOM5.grd")), before);
}

void MainWindowTest::closeWithChangesYesSavesThenCloses() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    test::editClass(f.state, [&](ClassRecord& r) { r.studentNames[0] = "Aaron, Ann"; });
    test::markUnsaved(f.state);
    f.doubles.messages.answer(MessageButton::Yes);
    window.closeFile();
    QVERIFY(readAll(f.dir.filePath("ROOM5.grd")).contains("\"Aaron, Ann\""));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QCOMPARE(f.state.classModified(), false);
}

void MainWindowTest::closeYesWithFailingSaveKeepsTheFileOpen() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    test::editClass(f.state, [&](ClassRecord& r) { r.studentNames[0] = "Aaron, Ann"; });
    test::markUnsaved(f.state);
    QVERIFY(f.dir.remove()); // the folder of the open file is gone
    f.doubles.messages.answer(MessageButton::Yes);
    window.closeFile();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(2));
    QVERIFY(f.doubles.messages.shown[1].text.startsWith("Unable to SAVE this file. "));
    QCOMPARE(f.doubles.messages.shown[1].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[1].style, 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd*"));
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.state.classRecord().studentNames[0], std::string("Aaron, Ann"));
    QVERIFY(!window.stepPanel()->isHidden());
    QCOMPARE(f.subWindowCount(), 1);
}

void MainWindowTest::rosterBeingTypedIsOfferedForSaving() {
    Fixture f;
    MainWindow& window = f.start();
    QString before = QDir::currentPath();
    QDir::setCurrent(f.dir.path()); // a new class is made in the current folder
    window.gradesMode();
    window.newFile();
    NewClassDialog* dialog = window.rosterCommands().newClassDialog();
    QVERIFY(dialog);
    dialog->Text1->setText("room7");
    dialog->Command1->click();
    RosterEditorWindow* editor = window.rosterCommands().rosterEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor->txtname, "Ames, Al");
    editor->cmdadd->click();

    // Exit warns, and Close offers to save the names typed so far.
    f.doubles.messages.answer(MessageButton::Cancel);
    window.exitProgram();
    QCOMPARE(f.doubles.messages.shown.back().title, QStringLiteral("Exit?"));
    QVERIFY(window.isVisible());
    f.doubles.messages.answer(MessageButton::Yes);
    window.closeFile();
    QCOMPARE(f.doubles.messages.shown.back().text,
             QStringLiteral("room7.grd has changed.\n\nSave current changes?"));
    ClassRecord saved;
    readClassFile(f.dir.filePath("room7.grd").toStdString(), saved);
    QCOMPARE(saved.studentCount, 1);
    QCOMPARE(saved.studentNames[0], std::string("Ames, Al"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QDir::setCurrent(before);
}

void MainWindowTest::exitWarnsOnlyWithChanges() {
    Fixture f;
    MainWindow& window = f.start();
    test::markUnsaved(f.state);
    f.doubles.messages.answer(MessageButton::Cancel);
    window.exitProgram();
    QCOMPARE(f.doubles.messages.beeps, 1);
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QCOMPARE(f.doubles.messages.shown[0].text,
             QStringLiteral("WARNING: Exiting at this time \nwill cause all changes to be lost!"));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Exit?"));
    QCOMPARE(f.doubles.messages.shown[0].style, 273);
    QVERIFY(window.isVisible());
    QVERIFY(f.doubles.help.requests.isEmpty());

    test::markSaved(f.state);
    window.exitProgram();
    QCOMPARE(f.doubles.messages.beeps, 1);
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(!window.isVisible());
    QCOMPARE(f.doubles.help.requests, QStringList{"quit"});
}

void MainWindowTest::frameCloseWarnsLikeExit() {
    Fixture f;
    MainWindow& window = f.start();
    test::markUnsaved(f.state);
    f.doubles.messages.answer(MessageButton::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(f.doubles.messages.shown.back().style, 273);
    QCOMPARE(f.doubles.messages.beeps, 1);
    QVERIFY(!f.doubles.settings.values.contains("fail limit")); // no shut-down yet

    f.doubles.messages.answer(MessageButton::Ok);
    QVERIFY(window.close());
    QCOMPARE(f.doubles.messages.shown.size(), size_t(2));
    QCOMPARE(f.doubles.help.requests, QStringList{"quit"});
}

void MainWindowTest::settingsAreWrittenAtShutDown() {
    Fixture f(false);
    MainWindow& window = f.start();
    QTRY_VERIFY(window.findChild<StartupForm*>("form7") != nullptr);
    auto* form = window.findChild<StartupForm*>("form7");
    QTest::keyClicks(form->Text1, "Oak Hill");
    QTest::keyClicks(form->Text2, "Mr. Lee");
    QTest::keyClicks(form->Text3, "4th");
    f.state.failLimit = Value("65");
    QVERIFY(window.close());
    QCOMPARE(f.doubles.settings.values["school"], QStringLiteral("Oak Hill"));
    QCOMPARE(f.doubles.settings.values["teacher"], QStringLiteral("Mr. Lee"));
    QCOMPARE(f.doubles.settings.values["grade level"], QStringLiteral("4th"));
    QCOMPARE(f.doubles.settings.values["fail limit"], QStringLiteral("65"));
    QTRY_VERIFY(window.findChild<StartupForm*>("form7") == nullptr); // closed with the program
}

void MainWindowTest::openCancelIsSilentAndEmptiesTheRecord() {
    Fixture f;
    MainWindow& window = f.start();
    window.gradesMode();
    test::editClass(f.state, [&](ClassRecord& r) { r.clearToCapacity(); });
    f.doubles.files.cancel();
    window.openFile();
    QVERIFY(f.doubles.messages.shown.empty());
    QVERIFY(!f.state.classRecord().hasCapacity());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QVERIFY(window.isCommandEnabled(ShellCommand::Open));
}

void MainWindowTest::badFileReportsAndEmptiesTheRecord() {
    Fixture f;
    MainWindow& window = f.start();
    window.gradesMode();
    // Cut short after the weights.
    QByteArray text;
    for (int c = 0; c < 11; ++c)
        text += "10,1\r\n";
    writeAll(f.dir.filePath("SHORT.grd"), text);
    f.doubles.files.choose(f.dir.filePath("SHORT.grd"));
    window.openFile();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(f.doubles.messages.shown[0].text.startsWith("Unable to OPEN this file. "));
    QVERIFY(f.doubles.messages.shown[0].text.size() > 26);
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[0].style, 0);
    QVERIFY(!f.state.classRecord().hasCapacity());
    QCOMPARE(f.state.currentFileName, std::string("SHORT.grd"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro"));
    QVERIFY(window.isCommandEnabled(ShellCommand::Open));
    QVERIFY(window.stepPanel()->isHidden());
    QCOMPARE(f.subWindowCount(), 0);
}

void MainWindowTest::saveAsLeavesCaptionAndSaveTarget() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    test::editClass(f.state, [&](ClassRecord& r) { r.studentNames[0] = "Aaron, Ann"; });
    test::markUnsaved(f.state);
    QTemporaryDir other;
    f.doubles.files.choose(other.filePath("CLASS"));
    window.saveFileAs();
    const auto& shown = f.doubles.files.shown.back();
    QCOMPARE(shown.title, QStringLiteral("Save As"));
    QCOMPARE(shown.flags, int(FileDialog::OverwritePrompt));
    QCOMPARE(shown.filter, QStringLiteral("grade files (*.grd)|*.grd"));
    QVERIFY(shown.save);
    QVERIFY(readAll(other.filePath("CLASS.grd")).contains("\"Aaron, Ann\""));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd*"));
    QCOMPARE(f.state.currentFileName, std::string("ROOM5.grd"));
    QCOMPARE(f.state.classModified(), true);

    // Save still writes the open file, though the dialog moved the current folder.
    window.saveFile();
    QCOMPARE(f.state.classModified(), false);
    QVERIFY(readAll(f.dir.filePath("ROOM5.grd")).contains("\"Aaron, Ann\""));
    QVERIFY(!QFile::exists(other.filePath("ROOM5.grd")));

    // Cancel is silent.
    f.doubles.files.cancel();
    window.saveFileAs();
    QVERIFY(f.doubles.messages.shown.empty());
}

void MainWindowTest::commandLineFileOpensInGradeMode() {
    Fixture f;
    MainWindow& window = f.start();
    QVERIFY(QFile::copy(kRoom5, f.dir.filePath("ROOM5.grd")));
    window.openGradeFileAtStartup(f.dir.filePath("ROOM5.grd"));
    QCOMPARE(f.state.workMode, WorkMode::Grades);
    QVERIFY(window.toolbarButton(13)->isChecked());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd"));
    QCOMPARE(f.state.classRecord().studentCount, 25);

    Fixture g;
    g.start().openGradeFileAtStartup(g.dir.filePath("MISSING.grd"));
    QCOMPARE(g.doubles.messages.shown.size(), size_t(1));
    QVERIFY(g.doubles.messages.shown[0].text.startsWith("Unable to OPEN this file. "));
    QCOMPARE(g.window->windowTitle(), QStringLiteral("Tallyro"));
}

void MainWindowTest::gradeEntryWithNoStudentsDoesNothing() {
    Fixture f;
    MainWindow& window = f.start();
    window.gradesMode();
    QByteArray text;
    for (int c = 0; c < 11; ++c)
        text += ",\r\n";
    text += "0\r\n";
    writeAll(f.dir.filePath("EMPTY.grd"), text);
    f.doubles.files.choose(f.dir.filePath("EMPTY.grd"));
    window.openFile();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for EMPTY.grd"));
    QCOMPARE(f.subWindowCount(), 1);
    window.findChild<QAction*>("gradeEntryShortcut")->trigger();
    window.stepPanel()->click(Step::GradeEntry);
    QCOMPARE(f.subWindowCount(), 1);
    QVERIFY(f.doubles.messages.shown.empty());
    QVERIFY(window.stepPanel()->isBold(Step::EditGrid));
    QVERIFY(!window.stepPanel()->isBold(Step::GradeEntry));
    QVERIFY(!window.stepPanel()->isRaised(Step::GradeEntry));

    // Without a file the step shortcuts do nothing at all.
    window.closeFile();
    window.findChild<QAction*>("gradeReportShortcut")->trigger();
    QVERIFY(f.doubles.messages.shown.empty());
}

void MainWindowTest::gradeEntryOpensOnce() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    window.findChild<QAction*>("gradeEntryShortcut")->trigger();
    QCOMPARE(f.subWindowCount(), 2);
    QVERIFY(window.findChild<QWidget*>("frmgradentry"));
    QVERIFY(window.stepPanel()->isBold(Step::GradeEntry));
    QVERIFY(window.stepPanel()->isRaised(Step::GradeEntry));
    QVERIFY(!window.stepPanel()->isBold(Step::EditGrid));
    window.stepPanel()->click(Step::GradeEntry);
    window.findChild<QAction*>("gradeEntryShortcut")->trigger();
    QCOMPARE(f.subWindowCount(), 2);

    // Closing the file takes every window of the class with it.
    window.closeFile();
    QTRY_COMPARE(f.subWindowCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window.findChild<QWidget*>("frmgradentry"));
}

void MainWindowTest::gradeThatCannotBeAveragedIsReported() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    test::editClass(f.state, [&](ClassRecord& r) { r.grades(3, 1, 2) = Value("abc"); });
    window.printFile();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QCOMPARE(f.doubles.messages.shown[0].style, 48);
    QVERIFY(f.doubles.messages.shown[0].text.contains("abc"));
    window.stepPanel()->click(Step::GradeReport);
    QCOMPARE(f.doubles.messages.shown.size(), size_t(2));
    QVERIFY(window.stepPanel()->isBold(Step::EditGrid));
}

void MainWindowTest::helpAndInformationCommands() {
    Fixture f;
    MainWindow& window = f.start();
    window.showDisclaimer();
    QCOMPARE(f.doubles.messages.shown.back().title, QStringLiteral("Disclaimer"));
    QCOMPARE(f.doubles.messages.shown.back().style, 0);
    QVERIFY(f.doubles.messages.shown.back().text.contains("Tallyro"));
    // The two step-panel pictures once marked "FUTURE SITE" are real now:
    // without a class they do nothing; with one, the statistics window opens.
    size_t shown = f.doubles.messages.shown.size();
    window.statisticsClicked();
    window.databaseClicked();
    QCOMPARE(f.doubles.messages.shown.size(), shown);
    f.openSample();
    window.statisticsClicked();
    QVERIFY(window.workArea()->findChild<StatisticsWindow*>());
    window.helpContents();
    window.helpSearch();
    QCOMPARE(f.doubles.help.requests, (QStringList{"contents", "search:"}));
}

// The program has no statistics window linked in: it reads the charts module
// beside it (a build tree) on the first request. The test links the window
// in, so it steps aside for this case.
void MainWindowTest::statisticsComeFromTheChartsModuleInTheProgram() {
    QString problem;
    QVERIFY(!onDemandSymbol(QStringLiteral("nothing"), "tallyro_create_statistics", problem));
    QCOMPARE(problem, QStringLiteral("The program's file tallyro-nothing.so could not be found."));

    useLinkedStatistics(nullptr);
    auto relink = qScopeGuard([] { useLinkedStatistics(&createStatisticsWindow); });
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    size_t shown = f.doubles.messages.shown.size();
    window.statisticsClicked();
    QCOMPARE(f.doubles.messages.shown.size(), shown);
    // The module's own copy of the window: found by name, not by class.
    auto* statistics = window.workArea()->findChild<QWidget*>(QStringLiteral("frmstatistics"));
    QVERIFY(statistics);
    QVERIFY(!qobject_cast<StatisticsWindow*>(statistics));
    // Kept up to date while shown, and shown again rather than twice.
    window.statisticsClicked();
    QCOMPARE(window.workArea()->findChildren<QWidget*>(QStringLiteral("frmstatistics")).size(),
             qsizetype(1));
    QVERIFY(statistics->findChild<QWidget*>(QStringLiteral("grdstats")));
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
