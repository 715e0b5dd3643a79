#pragma once

#include "core/app/appstate.h"
#include "ui/app/gradefilecommands.h"
#include "ui/app/recoveryjournal.h"
#include "ui/app/recoverylistdialog.h"
#include "ui/app/startupform.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/gradebook/gradebookwindow.h"
#include "ui/lessons/lessoncommands.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"
#include "ui/reports/gradeprintdialog.h"
#include "ui/reports/reportcardwindow.h"
#include "ui/roster/rostercommands.h"

#include <QMainWindow>
#include <QPointer>

#include <map>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QToolBar;

namespace tallyro {

class StepPanel;
class StatisticsPanel;

// `MDI1`, the main window: menus, the toolbar with the date box, the step
// panel and the work area holding every other window. Its file commands act
// on grade files or lesson files depending on the work mode.
class MainWindow : public QMainWindow,
                   public Shell,
                   public ClassDocumentListener,
                   public LessonDocumentListener {
    Q_OBJECT
public:
    // recoveryFolder: where copies of unsaved work are kept.
    MainWindow(AppState& state, Platform& platform,
               const QString& recoveryFolder = RecoveryJournal::defaultFolder());
    ~MainWindow() override;

    void classChanged(const ClassChange& change) override;
    void lessonsChanged(const LessonChange& change) override;

    // Start-up once the window is on screen: the form for the teacher's
    // details opens when any of them is still missing.
    void showEvent(QShowEvent* event) override;
    // Shows the window maximised when it was so at the last shut-down.
    void showAsLastTime();

    // Opens a file named on the command line: a lesson plan file (.pla, .lba)
    // in lesson mode, anything else as a class in grade mode.
    void openFileAtStartup(const QString& path);
    void openGradeFileAtStartup(const QString& path);

    // Once at start-up: copies of unsaved work left by a run that ended
    // without saving, other than the one of the file just opened, are listed
    // in "Unsaved work was found". Returns the dialog, or null when none.
    RecoveryListDialog* offerStartupRecovery(const QString& openedPath = QString());
    // Whether the file just opened has a newer copy of unsaved changes; if so
    // asks "Recover unsaved changes?" (opening a file does this by itself,
    // once the opening is done).
    void offerRecoveryForOpenFile();
    RecoveryJournal& recoveryJournal() { return journal_; }

    // Shell
    void setCommandEnabled(ShellCommand command, bool enabled) override;
    bool isCommandEnabled(ShellCommand command) const override;
    void setStepBold(Step step, bool bold) override;
    void setStepRaised(Step step, bool raised) override;
    void setStepEnabled(Step step, bool enabled) override;
    void setStepPanelVisible(bool visible) override;
    void setFileCaption(const QString& fileName) override;
    void showNoFileState() override;
    void showFileOpenState() override;
    void showGradeBook() override;
    void showChild(QWidget* window) override;
    std::optional<std::vector<std::string>> askNamesFile(int room) override;
    QWidget* window() override { return this; }

    // The commands of the menus and the toolbar.
    void newFile();
    void openFile();
    void saveFile();
    void saveFileAs();
    void printFile();
    void closeFile();
    void exitProgram();
    void backup();
    void restore();
    void deleteFiles();
    void addStudent();
    void lessonsMode();
    void gradesMode();
    void helpContents();
    void helpSearch();
    void showStartupForm();
    void showDisclaimer();
    void showAbout();

    // The step panel's captions and its two future sites.
    void stepClicked(Step step);
    void gradeEntryClicked();
    void gradeReportClicked();
    void statisticsClicked();
    void databaseClicked();
    // Options > "&Import a grade column...": one undoable step.
    void importGradeColumn();

    QMdiArea* workArea() const { return mdiArea_; }
    StepPanel* stepPanel() const { return Picture4; }
    QAction* toolbarButton(int index) const { return toolbarButtons_.at(index); }
    QAction* fileMenuItem(int index) const { return mnufileitem.at(index); }
    GradeBookWindow* gradeBook() const { return gradeBook_; }
    LessonCommands& lessonCommands() { return lessons_; }
    RosterCommands& rosterCommands() { return roster_; }
    FileDeletionWindow* deletionWindow() const { return deletion_; }
    // The print windows while they are open; null otherwise.
    ReportCardWindow* reportWindow() const;
    GradePrintDialog* gradePrintDialog() const { return gradePrint_; }
    LessonPrintDialog* lessonPrintDialog() const { return lessonPrint_; }

    // Controls, under the names the teacher's help pages use.
    QWidget* Picture3;
    QToolBar* Toolbar1;
    QFrame* Picture2;
    QLabel* lbldate;
    StepPanel* Picture4;
    QMenu* mnufile;
    std::map<int, QAction*> mnufileitem;
    QMenu* mnuedit;
    QAction* editundo = nullptr;
    QAction* editredo = nullptr;
    QMenu* opt;
    QAction* addstud;
    QAction* mnuexport;
    QAction* oimport;
    QAction* ostatistics;
    QAction* obackup;
    QAction* orestore;
    QAction* odelete;
    QMenu* help;
    QAction* contents;
    QAction* Search;
    QAction* startup;
    QAction* disclaimer;
    QAction* b7;
    QAction* about;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The frames of the grade book and the lesson editor stay while their
    // file is open.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab go round the step panel and the active child window.
    bool focusNextPrevChild(bool next) override;

private:
    struct CommandActions {
        QAction* tool = nullptr;
        QAction* menu = nullptr;
    };

    void createActions();
    void createMenus();
    void createToolBar();
    void createStepPanel();
    // The focus to the step panel's first (next) or last control, or to the
    // active child window's; false when there is none to take it.
    bool focusStepPanel(bool next);
    bool focusWorkArea(bool next);
    void readSettings();
    // Size and place within the screen's available area, frame included.
    void placeOnScreen(const QRect& wanted);
    void writeSettings();
    void shutDown();
    // The caption ends in "*" while the open file has unsaved changes.
    void showModifiedMark();
    // After a file is opened or emptied, the recovery question comes once
    // the opening is done.
    void queueRecoveryCheck();
    void openRecovered(const RecoveryEntry& entry);
    // Loads a copy as unsaved changes; false (and the copy set aside) when it
    // cannot be read.
    bool restoreRecovered(const RecoveryEntry& entry);
    // Switches every command, the Edit menu and the step panel from what is
    // wanted and what the open file allows.
    void updateActions();

    // Saves the open file of the current mode; false when it was not saved.
    bool saveForMode();
    // Asks before losing unsaved changes; true when the teacher agrees.
    bool confirmLosingChanges();
    bool mayDiscardReportCard();
    // Runs the averages every printed list and report card needs; false after
    // telling the teacher which grade stands in the way.
    bool computeGrandAverages();
    // The grade book's selected student, for the current-student list.
    int selectedStudent() const;
    template <typename T> T* findChildWindow() const;

    AppState& state_;
    Platform platform_;
    GradeFileCommands gradeFiles_;
    RosterCommands roster_;
    LessonCommands lessons_;
    RecoveryJournal journal_;
    bool recoveryCheckQueued_ = false;

    QMdiArea* mdiArea_ = nullptr;
    QActionGroup* modeGroup_ = nullptr;
    std::map<int, QAction*> toolbarButtons_;
    std::map<ShellCommand, CommandActions> commands_;
    std::map<ShellCommand, bool> commandWanted_;
    std::map<Step, bool> stepWanted_;
    QAction* gradeEntryShortcut_ = nullptr;
    QAction* gradeReportShortcut_ = nullptr;
    QPointer<GradeBookWindow> gradeBook_;
    // The statistics window while it is open (its widget guards the panel).
    QPointer<QWidget> statisticsWindow_;
    StatisticsPanel* statistics_ = nullptr;
    QPointer<StartupForm> startupForm_;
    QPointer<FileDeletionWindow> deletion_;
    QPointer<GradePrintDialog> gradePrint_;
    QPointer<LessonPrintDialog> lessonPrint_;
    QMetaObject::Connection editorPrint_;

    QString caption_;
    bool startMaximized_ = false;
    bool closingFile_ = false;
    bool startupDone_ = false;
    bool exitConfirmed_ = false;
    bool shutDownDone_ = false;
};

} // namespace tallyro
