#include "ui/app/mainwindow.h"

#include "core/classfile/gradefile.h"
#include "core/gradebook/averaging.h"
#include "core/lessons/lessonfile.h"
#include "ui/app/aboutbox.h"
#include "ui/app/appstyle.h"
#include "ui/app/startupform.h"
#include "ui/app/steppanel.h"
#include "ui/app/workareaframe.h"
#include "ui/exchange/exportdialog.h"
#include "ui/exchange/gradeimportdialog.h"
#include "ui/exchange/namesimport.h"
#include "ui/gradebook/gradebookwindow.h"
#include "ui/gradebook/gradeentrywindow.h"
#include "ui/lessons/lessonprinting.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/controls.h"
#include "ui/stats/statisticspanel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace tallyro {

namespace {

// The main window's place and size at start-up, and its top bar, in twips.
constexpr int kWindowLeft = 30;
constexpr int kWindowTop = 50;
constexpr int kWindowWidth = 9670;
constexpr int kWindowHeight = 7300;
constexpr int kTopBarHeight = 570;
constexpr int kDateLeft = 6960;
constexpr int kDateTop = 30;
constexpr int kDateWidth = 2250;
constexpr int kDateHeight = 480;
constexpr int kPlaceholderWidth = 800;

const char* const kDisclaimer =
    "Tallyro is provided \"as is\", without warranty of any kind, express or implied, "
    "including but not limited to the warranties of merchantability, fitness for a "
    "particular purpose and noninfringement.\n"
    "\n"
    "You use Tallyro at your own risk. Keep a backup copy of your grade and lesson "
    "files, and check printed grades and report cards before you hand them out. In no "
    "event shall the authors be liable for any claim, damages or other liability "
    "arising from the use of Tallyro.";

} // namespace

MainWindow::MainWindow(AppState& state, Platform& platform, const QString& recoveryFolder)
    : state_(state), platform_(platform), gradeFiles_(state_, platform_, *this),
      roster_(state_, platform_, *this), lessons_(state_, platform_, *this),
      journal_(state_, platform_.history, recoveryFolder) {
    setObjectName(QStringLiteral("MDI1"));
    // The program's icon, for this window and every dialog.
    QApplication::setWindowIcon(builtInIcon(QStringLiteral("tallyro")));

    createActions();
    createMenus();
    createToolBar();
    createStepPanel();

    mdiArea_ = new QMdiArea;
    mdiArea_->setObjectName(QStringLiteral("workArea"));
    mdiArea_->setAccessibleName(QStringLiteral("Work area"));
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        // A child runs its own steps each time it becomes the active window.
        if (sub)
            if (auto* child = dynamic_cast<ActivatableWindow*>(sub->widget()))
                child->activate();
    });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Picture3);
    layout->addWidget(Picture4);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    // Start-up: place the window, title and date; the settings; lesson mode
    // with no file open.
    // The twips size suited the screens the layout was drawn for; today the
    // grade book with its 45 columns needs more room, within the screen.
    QSize size(twipsToPixels(kWindowWidth, this), twipsToPixels(kWindowHeight, this));
    placeOnScreen(QRect(QPoint(twipsToPixels(kWindowLeft, this), twipsToPixels(kWindowTop, this)),
                        size.expandedTo(QSize(1040, 760))));
    // Within it, children fill the work area; a window shown over a full one
    // (grade entry over the grade book) keeps its own size.
    mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    mdiArea_->viewport()->installEventFilter(this);
    setFileCaption(QString());
    lbldate->setText(dateBoxText(QDate::currentDate()));
    lbldate->setAccessibleName(lbldate->text());
    readSettings();
    toolbarButtons_.at(12)->setChecked(true);
    setCommandEnabled(ShellCommand::AddStudent, false);
    state_.workMode = WorkMode::Lessons;
    showNoFileState();
    state_.classDocument.addListener(this);
    state_.lessonDocument.addListener(this);

    // The editor's small print button runs the lesson print routine.
    // (One connection only, however often the editor is shown.)
    connect(&lessons_, &LessonCommands::editorShown, this, [this](LessonEditorWindow* editor) {
        disconnect(editorPrint_);
        editorPrint_ = connect(editor, &LessonEditorWindow::printRequested, this,
                               [this, editor] { printLessonPlans(*editor, state_, platform_); });
    });
}

MainWindow::~MainWindow() {
    state_.classDocument.removeListener(this);
    state_.lessonDocument.removeListener(this);
}

// A file opened, emptied or closed starts a new history; any change may add
// or take away the unsaved mark.
void MainWindow::classChanged(const ClassChange& change) {
    if (statisticsWindow_ && state_.classDocument.isOpen())
        QMetaObject::invokeMethod(
            statisticsWindow_, [panel = statistics_] { panel->refresh(); }, Qt::QueuedConnection);
    if (change.reset) {
        platform_.history.clear();
        queueRecoveryCheck();
    }
    showModifiedMark();
}

void MainWindow::lessonsChanged(const LessonChange& change) {
    if (change.reset) {
        platform_.history.clear();
        queueRecoveryCheck();
    }
    showModifiedMark();
}

// Recovery ----------------------------------------------------------------------

void MainWindow::queueRecoveryCheck() {
    if (recoveryCheckQueued_)
        return;
    recoveryCheckQueued_ = true;
    QMetaObject::invokeMethod(this, &MainWindow::offerRecoveryForOpenFile, Qt::QueuedConnection);
}

void MainWindow::offerRecoveryForOpenFile() {
    recoveryCheckQueued_ = false;
    bool classOpen = state_.classDocument.isOpen();
    if ((!classOpen && !state_.lessonDocument.isOpen()) || state_.classModified())
        return;
    std::string path = journal_.openPath();
    if (path.empty())
        return;
    auto entry = journal_.store().find(path);
    if (!entry || entry->kind != (classOpen ? "grd" : "pla"))
        return;
    QFileInfo file(QString::fromStdString(path));
    // A copy older than the file was overtaken by a save elsewhere.
    if (file.exists() && file.lastModified().toMSecsSinceEpoch() > entry->changedAtMs) {
        journal_.store().remove(path);
        return;
    }
    QString text = file.fileName() + QStringLiteral(" has changes that were not saved, from ") +
                   recoveryTimeText(entry->changedAtMs) +
                   QStringLiteral(".\n\nRecover them, or discard them and open the file as it "
                                  "is on disk?");
    int answer =
        platform_.messages.choose(text, QStringLiteral("Recover unsaved changes?"),
                                  {QStringLiteral("&Recover"), QStringLiteral("&Discard")}, 0);
    if (answer == 0)
        restoreRecovered(*entry);
    else
        journal_.store().remove(path);
}

bool MainWindow::restoreRecovered(const RecoveryEntry& entry) {
    try {
        BusyPointer busy;
        if (entry.kind == "grd") {
            ClassRecord record;
            record.clearToCapacity();
            readClassFile(entry.contentFile.string(), record);
            state_.classDocument.adopt(std::move(record), true);
            if (gradeBook_) {
                gradeBook_->fillStudentList();
                gradeBook_->activate();
            }
        } else {
            LessonPlan plan;
            plan.clearToCapacity();
            readLessonFile(entry.contentFile.string(), plan);
            state_.lessonDocument.adopt(std::move(plan), true);
        }
    } catch (const std::exception& error) {
        journal_.store().moveAside(entry.infoFile);
        showError(platform_.messages,
                  QStringLiteral("The unsaved changes could not be read and were set aside "
                                 "in ") +
                      QString::fromStdString(journal_.store().folder().string()) +
                      QStringLiteral(".\n") + QString::fromStdString(error.what()));
        return false;
    }
    // The journal keeps a fresh copy of what is now unsaved again.
    journal_.store().remove(entry.originalPath);
    journal_.writeNow();
    return true;
}

RecoveryListDialog* MainWindow::offerStartupRecovery(const QString& openedPath) {
    std::vector<std::filesystem::path> damaged;
    std::vector<RecoveryEntry> entries = journal_.store().list(&damaged);
    for (const auto& file : damaged)
        journal_.store().moveAside(file);
    if (!damaged.empty())
        showError(platform_.messages,
                  QString::number(damaged.size()) +
                      QStringLiteral(" copy of unsaved work could not be read and was set aside "
                                     "in ") +
                      QString::fromStdString(journal_.store().folder().string()) +
                      QLatin1Char('.'));
    std::string opened =
        openedPath.isEmpty()
            ? std::string()
            : RecoveryStore::keyPath(QFileInfo(openedPath).absoluteFilePath().toStdString())
                  .string();
    std::erase_if(entries,
                  [&](const RecoveryEntry& e) { return e.originalPath.string() == opened; });
    if (entries.empty())
        return nullptr;
    auto* dialog = new RecoveryListDialog(std::move(entries), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &RecoveryListDialog::openRequested, this, &MainWindow::openRecovered);
    connect(dialog, &RecoveryListDialog::discardRequested, this,
            [this](const RecoveryEntry& entry) { journal_.store().remove(entry.originalPath); });
    dialog->show();
    return dialog;
}

void MainWindow::openRecovered(const RecoveryEntry& entry) {
    // Another file open first goes the usual way, with its own question.
    if (isCommandEnabled(ShellCommand::Close))
        closeFile();
    if (isCommandEnabled(ShellCommand::Close))
        return;
    QString path = QString::fromStdString(entry.originalPath.string());
    if (QFileInfo::exists(path)) {
        // Opening asks whether to recover, as any opening does.
        openFileAtStartup(path);
        return;
    }
    // A file never saved (a new "untitled.grd") is opened from its copy.
    QFileInfo original(path);
    if (entry.kind == "grd") {
        gradesMode();
        state_.currentFileName = original.fileName().toStdString();
        state_.currentFileFolder = original.absolutePath().toStdString();
        state_.classDocument.clearToCapacity();
        if (!restoreRecovered(entry)) {
            state_.classDocument.clearToNothing();
            return;
        }
        setFileCaption(original.fileName());
        showFileOpenState();
        showGradeBook();
    } else {
        lessonsMode();
        lessons_.openPath(QString::fromStdString(entry.contentFile.string()));
        state_.currentFileName = original.fileName().toStdString();
        state_.currentFileFolder = original.absolutePath().toStdString();
        setFileCaption(original.fileName());
        restoreRecovered(entry);
    }
}

void MainWindow::showModifiedMark() {
    bool modified = state_.classModified();
    setWindowModified(modified);
    // The title is written whole rather than with Qt's [*] placeholder, so
    // that it reads "Tallyro for ROOM5.grd*" everywhere the title is shown.
    setWindowTitle(caption_ + (modified ? QStringLiteral("*") : QString()));
}

void MainWindow::createActions() {
    struct ToolButton {
        int index;
        const char* tooltip;
        const char* icon;
        void (MainWindow::*command)();
    };
    const ToolButton buttons[] = {
        {2, " New ", "new", &MainWindow::newFile},
        {3, " Open ", "open", &MainWindow::openFile},
        {4, " Save ", "save", &MainWindow::saveFile},
        {5, " Save As ", "saveas", &MainWindow::saveFileAs},
        {6, " Print ", "print", &MainWindow::printFile},
        {7, " Backup ", "backup", &MainWindow::backup},
        {8, " Restore ", "restore", &MainWindow::restore},
        {9, " Delete ", "delete", &MainWindow::deleteFiles},
        {10, " Leave ", "leave", &MainWindow::exitProgram},
        // The two mode keys are in no menu: the tooltip tells them.
        {12, " Lessons (Ctrl+L) ", "lessons", &MainWindow::lessonsMode},
        {13, " Grades (Ctrl+G)", "grades", &MainWindow::gradesMode},
    };
    for (const ToolButton& button : buttons) {
        QString tooltip = QString::fromLatin1(button.tooltip);
        QString text = tooltip.section(QLatin1Char('('), 0, 0).trimmed();
        auto* action = new QAction(builtInIcon(QString::fromLatin1(button.icon)), text, this);
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(button.index));
        action->setToolTip(tooltip);
        connect(action, &QAction::triggered, this, button.command);
        toolbarButtons_[button.index] = action;
    }
    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    for (int index : {12, 13}) {
        toolbarButtons_[index]->setCheckable(true);
        modeGroup_->addAction(toolbarButtons_[index]);
    }
    toolbarButtons_[12]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    toolbarButtons_[13]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));

    struct MenuItem {
        int index;
        const char* caption;
        void (MainWindow::*command)();
    };
    const MenuItem fileItems[] = {
        {0, "&New", &MainWindow::newFile},       {1, "&Open", &MainWindow::openFile},
        {2, "&Save", &MainWindow::saveFile},     {3, "Save &As", &MainWindow::saveFileAs},
        {5, "&Print", &MainWindow::printFile},   {10, "&Close", &MainWindow::closeFile},
        {11, "E&xit", &MainWindow::exitProgram},
    };
    for (const MenuItem& item : fileItems) {
        auto* action = new QAction(QString::fromLatin1(item.caption), this);
        action->setObjectName(QStringLiteral("mnufileitem_%1").arg(item.index));
        connect(action, &QAction::triggered, this, item.command);
        mnufileitem[item.index] = action;
    }
    // The keys every desktop program has, shown beside their menu items.
    mnufileitem[0]->setShortcut(QKeySequence::New);
    mnufileitem[1]->setShortcut(QKeySequence::Open);
    mnufileitem[2]->setShortcut(QKeySequence::Save);
    mnufileitem[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnufileitem[5]->setShortcut(QKeySequence::Print);
    mnufileitem[10]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnufileitem[11]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    editundo = new QAction(QStringLiteral("&Undo"), this);
    editundo->setObjectName(QStringLiteral("editundo"));
    editundo->setShortcut(QKeySequence::Undo);
    connect(editundo, &QAction::triggered, this, [this] { platform_.history.undo(); });
    editredo = new QAction(QStringLiteral("&Redo"), this);
    editredo->setObjectName(QStringLiteral("editredo"));
    editredo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(editredo, &QAction::triggered, this, [this] { platform_.history.redo(); });
    connect(&platform_.history, &UndoHistory::changed, this, &MainWindow::updateActions);
    for (int index : {4, 6}) {
        auto* separator = new QAction(this);
        separator->setObjectName(QStringLiteral("mnufileitem_%1").arg(index));
        separator->setSeparator(true);
        mnufileitem[index] = separator;
    }

    auto menuAction = [this](const char* name, const char* caption, void (MainWindow::*command)()) {
        auto* action = new QAction(QString::fromLatin1(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    addstud = menuAction("addstud", "&Add a Student", &MainWindow::addStudent);
    mnuexport = menuAction("mnuexport", "E&xport...", &MainWindow::databaseClicked);
    oimport = menuAction("oimport", "&Import a grade column...", &MainWindow::importGradeColumn);
    ostatistics = menuAction("ostatistics", "&Statistics...", &MainWindow::statisticsClicked);
    obackup = menuAction("obackup", "&Backup", &MainWindow::backup);
    orestore = menuAction("orestore", "&Restore", &MainWindow::restore);
    odelete = menuAction("odelete", "&Delete", &MainWindow::deleteFiles);
    contents = menuAction("contents", "&Contents...", &MainWindow::helpContents);
    Search = menuAction("Search", "&Search for...", &MainWindow::helpSearch);
    startup = menuAction("startup", "S&tart-up Form", &MainWindow::showStartupForm);
    disclaimer = menuAction("disclaimer", "&Disclaimer", &MainWindow::showDisclaimer);
    b7 = new QAction(this);
    b7->setObjectName(QStringLiteral("b7"));
    b7->setSeparator(true);
    about = menuAction("about", "&About Tallyro", &MainWindow::showAbout);

    // A command is one thing to the teacher, whether reached by menu or button.
    commands_[ShellCommand::New] = {toolbarButtons_[2], mnufileitem[0]};
    commands_[ShellCommand::Open] = {toolbarButtons_[3], mnufileitem[1]};
    commands_[ShellCommand::Save] = {toolbarButtons_[4], mnufileitem[2]};
    commands_[ShellCommand::SaveAs] = {toolbarButtons_[5], mnufileitem[3]};
    commands_[ShellCommand::Print] = {toolbarButtons_[6], mnufileitem[5]};
    commands_[ShellCommand::Close] = {nullptr, mnufileitem[10]};
    commands_[ShellCommand::Exit] = {toolbarButtons_[10], mnufileitem[11]};
    commands_[ShellCommand::Backup] = {toolbarButtons_[7], obackup};
    commands_[ShellCommand::Restore] = {toolbarButtons_[8], orestore};
    commands_[ShellCommand::Delete] = {toolbarButtons_[9], odelete};
    commands_[ShellCommand::AddStudent] = {nullptr, addstud};
    commands_[ShellCommand::Lessons] = {toolbarButtons_[12], nullptr};
    commands_[ShellCommand::Grades] = {toolbarButtons_[13], nullptr};

    // The step panel from the keyboard: exactly what a click on the caption does.
    gradeEntryShortcut_ = new QAction(QStringLiteral("Grade Entry"), this);
    gradeEntryShortcut_->setObjectName(QStringLiteral("gradeEntryShortcut"));
    gradeEntryShortcut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(gradeEntryShortcut_, &QAction::triggered, this, [this] {
        if (Picture4->isHidden() || !Picture4->isStepEnabled(Step::GradeEntry))
            return;
        if (findChildWindow<GradeEntryWindow>() || state_.classRecord().studentCount <= 0)
            return;
        Picture4->click(Step::GradeEntry);
    });
    addAction(gradeEntryShortcut_);
    gradeReportShortcut_ = new QAction(QStringLiteral("Grade Report"), this);
    gradeReportShortcut_->setObjectName(QStringLiteral("gradeReportShortcut"));
    gradeReportShortcut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(gradeReportShortcut_, &QAction::triggered, this, [this] {
        if (Picture4->isHidden() || !Picture4->isStepEnabled(Step::GradeReport))
            return;
        Picture4->click(Step::GradeReport);
    });
    addAction(gradeReportShortcut_);

    // F6 moves between the step panel and the window being worked in, the
    // way it moves between panes in other desktop programs.
    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    nextPane->setObjectName(QStringLiteral("nextPaneShortcut"));
    connect(nextPane, &QShortcut::activated, this, [this] {
        QWidget* focused = QApplication::focusWidget();
        bool inPanel = Picture4 && focused && Picture4->isAncestorOf(focused);
        if (inPanel || !focusStepPanel(true))
            focusWorkArea(true);
    });
}

void MainWindow::createMenus() {
    mnufile = menuBar()->addMenu(QStringLiteral("&File"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    for (auto& [index, action] : mnufileitem) {
        mnufile->addAction(action);
        // Export sits with the other ways a class leaves the program.
        if (index == 5)
            mnufile->addAction(mnuexport);
    }
    mnuedit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuedit->setObjectName(QStringLiteral("mnuedit"));
    mnuedit->addActions({editundo, editredo});
    opt = menuBar()->addMenu(QStringLiteral("&Options"));
    opt->setObjectName(QStringLiteral("opt"));
    opt->addActions({addstud, obackup, orestore, odelete, oimport, ostatistics});
    help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help"));
    help->addActions({contents, Search, startup, disclaimer, b7, about});
}

void MainWindow::createToolBar() {
    Picture3 = new QWidget;
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setFixedHeight(twipsToPixels(kTopBarHeight, this));

    Toolbar1 = new QToolBar(Picture3);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbarButtons_[1] = Toolbar1->addSeparator();
    for (int index = 2; index <= 10; ++index)
        Toolbar1->addAction(toolbarButtons_[index]);
    auto* placeholder = new QWidget;
    placeholder->setObjectName(QStringLiteral("Toolbar1_11"));
    placeholder->setFixedWidth(twipsToPixels(kPlaceholderWidth, this));
    toolbarButtons_[11] = Toolbar1->addWidget(placeholder);
    Toolbar1->addAction(toolbarButtons_[12]);
    Toolbar1->addAction(toolbarButtons_[13]);
    for (auto& [index, action] : toolbarButtons_) {
        if (QWidget* button = Toolbar1->widgetForAction(action);
            button && qobject_cast<QToolButton*>(button)) {
            button->setObjectName(action->objectName() + QStringLiteral("_button"));
            button->setAccessibleName(action->text());
        }
    }
    Toolbar1->setGeometry(0, 0, twipsToPixels(kDateLeft, this), twipsToPixels(kTopBarHeight, this));

    Picture2 = new QFrame(Picture3);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Picture2->setGeometry(twipsToPixels(kDateLeft, this), twipsToPixels(kDateTop, this),
                          twipsToPixels(kDateWidth, this), twipsToPixels(kDateHeight, this));
    lbldate = new QLabel(Picture2);
    lbldate->setObjectName(QStringLiteral("lbldate"));
    lbldate->setFont(comicFont(9));
    lbldate->setAlignment(Qt::AlignCenter);
    auto* dateLayout = new QVBoxLayout(Picture2);
    dateLayout->setContentsMargins(2, 0, 2, 0);
    dateLayout->addWidget(lbldate);
}

void MainWindow::createStepPanel() {
    Picture4 = new StepPanel;
    Picture4->hide();
    // The captions' keys are in no menu: their tooltips tell them.
    auto keyTip = [](const QString& caption, const QAction* action) {
        return caption + QStringLiteral(" (") +
               action->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')');
    };
    Picture4->Label9->setToolTip(keyTip(Picture4->Label9->text(), gradeEntryShortcut_));
    Picture4->Label2->setToolTip(keyTip(Picture4->Label2->text(), gradeReportShortcut_));
    connect(Picture4, &StepPanel::stepClicked, this, &MainWindow::stepClicked);
    connect(Picture4, &StepPanel::statisticsClicked, this, &MainWindow::statisticsClicked);
    connect(Picture4, &StepPanel::databaseClicked, this, &MainWindow::databaseClicked);
}

void MainWindow::readSettings() {
    SettingsStore& settings = platform_.settings;
    state_.schoolName = settings.read(QStringLiteral("school"), QString()).toStdString();
    QString failLimit = settings.read(QStringLiteral("fail limit"), QString());
    state_.teacherName = settings.read(QStringLiteral("teacher"), QString()).toStdString();
    state_.gradeLevel = settings.read(QStringLiteral("grade level"), QString()).toStdString();
    // A limit never stored is 0, which stands for the default limit.
    state_.failLimit = failLimit.isEmpty() ? Value(0) : Value(failLimit.toStdString());

    // Where the window was, as long as that is still on a screen: Qt moves a
    // window restored off the screen (or larger than it) back onto it, with
    // its frame. Placing it again here would take the inside's corner for the
    // frame's, and every start would open the window a title bar lower.
    QByteArray geometry = QByteArray::fromBase64(
        settings.read(QStringLiteral("window geometry"), QString()).toLatin1());
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (settings.read(QStringLiteral("window maximized"), QString()) == QLatin1String("1"))
        startMaximized_ = true;
}

void MainWindow::placeOnScreen(const QRect& wanted) {
    QRect area = wanted;
    if (QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        // The frame a window manager adds (title bar, borders) must fit too:
        // resize() sets the inside, and move() places the frame's corner, so
        // the inside ends a title bar lower than the corner it was moved to.
        area.setSize(area.size().boundedTo(available.marginsRemoved(kWindowFrameAllowance).size()));
        QRect outer(area.topLeft(), area.size().grownBy(kWindowFrameAllowance));
        if (outer.right() > available.right())
            outer.moveRight(available.right());
        if (outer.bottom() > available.bottom())
            outer.moveBottom(available.bottom());
        if (outer.left() < available.left())
            outer.moveLeft(available.left());
        if (outer.top() < available.top())
            outer.moveTop(available.top());
        area.moveTopLeft(outer.topLeft());
    }
    resize(area.size());
    move(area.topLeft());
}

void MainWindow::writeSettings() {
    SettingsStore& settings = platform_.settings;
    settings.write(QStringLiteral("window geometry"),
                   QString::fromLatin1(saveGeometry().toBase64()));
    settings.write(QStringLiteral("window maximized"),
                   isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
    settings.write(QStringLiteral("fail limit"), QString::fromStdString(state_.failLimit.toText()));
    settings.write(QStringLiteral("school"), QString::fromStdString(state_.schoolName));
    settings.write(QStringLiteral("teacher"), QString::fromStdString(state_.teacherName));
    settings.write(QStringLiteral("grade level"), QString::fromStdString(state_.gradeLevel));
}

void MainWindow::showAsLastTime() {
    if (startMaximized_)
        showMaximized();
    else
        show();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupDone_)
        return;
    startupDone_ = true;
    if (state_.schoolName.empty() || state_.teacherName.empty() || state_.gradeLevel.empty())
        QMetaObject::invokeMethod(this, &MainWindow::showStartupForm, Qt::QueuedConnection);
}

void MainWindow::openFileAtStartup(const QString& path) {
    if (path.endsWith(QStringLiteral(".pla"), Qt::CaseInsensitive) ||
        path.endsWith(QStringLiteral(".lba"), Qt::CaseInsensitive)) {
        lessonsMode();
        lessons_.openPath(path);
        return;
    }
    openGradeFileAtStartup(path);
}

void MainWindow::openGradeFileAtStartup(const QString& path) {
    toolbarButtons_.at(13)->setChecked(true);
    gradesMode();
    gradeFiles_.openPath(path);
}

// Shell ---------------------------------------------------------------------

// Children and the file commands say what should be in use; updateActions
// is the one place that switches the commands and the step panel.
void MainWindow::setCommandEnabled(ShellCommand command, bool enabled) {
    commandWanted_[command] = enabled;
    updateActions();
}

bool MainWindow::isCommandEnabled(ShellCommand command) const {
    auto wanted = commandWanted_.find(command);
    return wanted == commandWanted_.end() || wanted->second;
}

// Which step is the current one (bold caption, raised picture) belongs to the
// step panel, which also follows the mouse; whether a step is in use is
// switched with the commands.
void MainWindow::setStepBold(Step step, bool bold) {
    Picture4->setBold(step, bold);
}

void MainWindow::setStepRaised(Step step, bool raised) {
    Picture4->setRaised(step, raised);
}

void MainWindow::setStepEnabled(Step step, bool enabled) {
    stepWanted_[step] = enabled;
    updateActions();
}

void MainWindow::updateActions() {
    for (const auto& [command, actions] : commands_) {
        bool enabled = isCommandEnabled(command);
        if (actions.tool)
            actions.tool->setEnabled(enabled);
        if (actions.menu)
            actions.menu->setEnabled(enabled);
    }
    for (const auto& [step, enabled] : stepWanted_)
        Picture4->setStepEnabled(step, enabled);
    // Undo and redo name the change they act on, and wait while a cell or a
    // grade is being typed.
    UndoHistory& history = platform_.history;
    QUndoStack& stack = history.stack();
    editundo->setEnabled(history.canUndo());
    editredo->setEnabled(history.canRedo());
    editundo->setText(history.canUndo() ? QStringLiteral("&Undo ") + stack.undoText()
                                        : QStringLiteral("&Undo"));
    editredo->setText(history.canRedo() ? QStringLiteral("&Redo ") + stack.redoText()
                                        : QStringLiteral("&Redo"));
    showModifiedMark();
}

void MainWindow::setStepPanelVisible(bool visible) {
    Picture4->setVisible(visible);
}

void MainWindow::setFileCaption(const QString& fileName) {
    QString title = QString::fromLatin1(kAppTitle);
    caption_ = fileName.isEmpty() ? title : title + QStringLiteral(" for ") + fileName;
    showModifiedMark();
}

void MainWindow::showNoFileState() {
    state_.classDocument.clearToNothing();
    state_.lessonDocument.clearToNothing();
    for (ShellCommand command : {ShellCommand::New, ShellCommand::Open, ShellCommand::Restore,
                                 ShellCommand::Delete, ShellCommand::Lessons, ShellCommand::Grades})
        setCommandEnabled(command, true);
    for (ShellCommand command : {ShellCommand::Save, ShellCommand::SaveAs, ShellCommand::Print,
                                 ShellCommand::Backup, ShellCommand::Close})
        setCommandEnabled(command, false);
    if (state_.workMode == WorkMode::Grades)
        setCommandEnabled(ShellCommand::AddStudent, true);
}

void MainWindow::showFileOpenState() {
    for (ShellCommand command :
         {ShellCommand::New, ShellCommand::Open, ShellCommand::Restore, ShellCommand::Delete,
          ShellCommand::Lessons, ShellCommand::Grades, ShellCommand::AddStudent})
        setCommandEnabled(command, false);
    for (ShellCommand command : {ShellCommand::Save, ShellCommand::SaveAs, ShellCommand::Print,
                                 ShellCommand::Backup, ShellCommand::Close})
        setCommandEnabled(command, true);
}

void MainWindow::showGradeBook() {
    Picture4->setEnabled(true);
    Picture4->show();
    if (!gradeBook_) {
        gradeBook_ = new GradeBookWindow(state_, platform_, *this);
        showChild(gradeBook_);
    } else if (auto* sub = qobject_cast<QMdiSubWindow*>(gradeBook_->parentWidget())) {
        mdiArea_->setActiveSubWindow(sub);
    }
    setStepBold(Step::EditGrid, true);
    setStepRaised(Step::EditGrid, true);
    gradeBook_->fillStudentList();
}

bool MainWindow::focusStepPanel(bool next) {
    if (!Picture4 || !Picture4->isVisible())
        return false;
    const QList<QWidget*> stops = WorkAreaFrame::tabStops(Picture4);
    if (stops.isEmpty())
        return false;
    (next ? stops.constFirst() : stops.constLast())
        ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MainWindow::focusWorkArea(bool next) {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (!sub && !mdiArea_->subWindowList().isEmpty())
        sub = mdiArea_->subWindowList().constFirst();
    if (!sub)
        return false;
    const QList<QWidget*> stops = WorkAreaFrame::tabStops(sub);
    if (stops.isEmpty())
        return false;
    mdiArea_->setActiveSubWindow(sub);
    (next ? stops.constFirst() : stops.constLast())
        ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MainWindow::focusNextPrevChild(bool next) {
    // From the step panel's far end Tab goes on into the window being worked
    // in (the active one, not whichever frame comes first in the chain).
    QWidget* focused = QApplication::focusWidget();
    if (Picture4 && Picture4->isVisible() && focused && Picture4->isAncestorOf(focused)) {
        const QList<QWidget*> stops = WorkAreaFrame::tabStops(Picture4);
        if (!stops.isEmpty() && focused == (next ? stops.constLast() : stops.constFirst()) &&
            focusWorkArea(next))
            return true;
    }
    return QMainWindow::focusNextPrevChild(next);
}

std::optional<std::vector<std::string>> MainWindow::askNamesFile(int room) {
    return tallyro::askNamesFile(platform_, this, room);
}

void MainWindow::showChild(QWidget* window) {
    // Borderless children (the roster and lesson editors) keep their look
    // inside the work area too.
    // Showing it in a frame hands the focus to the frame's first taker.
    QPointer<QWidget> start = window->focusWidget();
    Qt::WindowFlags flags;
    if (window->windowFlags() & Qt::FramelessWindowHint)
        flags = Qt::FramelessWindowHint;
    // Made the way the work area makes its own frames.
    auto* frame = new WorkAreaFrame(mdiArea_->viewport(), flags);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWidget(window);
    frame->leave = [this](bool next) { return focusStepPanel(next); };
    QMdiSubWindow* sub = mdiArea_->addSubWindow(frame);
    // Ctrl+W is File, Close (the open file); the frame's own Close keeps only
    // Ctrl+F4, so that no key means two things.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    // A child that closes itself takes its frame along, so no empty frame
    // is left behind in the work area.
    // (A plain QObject guard: the frame may already be half destroyed when
    // it is the one taking the child along.)
    connect(window, &QObject::destroyed, sub, [frame = QPointer<QObject>(sub)] {
        if (frame)
            frame->deleteLater();
    });
    sub->move(0, 0);
    window->show();
    // The grade book and the lesson editor are the open file itself: while
    // it is open they are always there, so their frames cannot be closed
    // on their own (Close closes the file). They fill the work area.
    bool isFileWindow = qobject_cast<GradeBookWindow*>(window) ||
                        qobject_cast<LessonEditorWindow*>(window) ||
                        qobject_cast<ReportCardWindow*>(window);
    if (qobject_cast<GradeBookWindow*>(window) || qobject_cast<LessonEditorWindow*>(window)) {
        sub->setWindowFlags((sub->windowFlags() | Qt::CustomizeWindowHint) &
                            ~Qt::WindowCloseButtonHint);
        if (QMenu* menu = sub->systemMenu())
            for (QAction* action : menu->actions())
                if (action->shortcut() == QKeySequence(QKeySequence::Close) ||
                    action->text().contains(QStringLiteral("Close"), Qt::CaseInsensitive))
                    action->setVisible(false), action->setEnabled(false);
        sub->installEventFilter(this);
    }
    // Laid out to the work area rather than maximised, which would replace
    // the main window's caption with Qt's own.
    sub->show();
    if (isFileWindow) {
        sub->setProperty("fillsWorkArea", true);
        sub->setGeometry(QRect(QPoint(0, 0), mdiArea_->viewport()->size()));
    }
    mdiArea_->setActiveSubWindow(sub);
    // The control a window chose to open with has the keyboard, not the
    // first thing in its chain that takes a click (a selectable label).
    if (start && start != window->focusWidget())
        start->setFocus(Qt::ActiveWindowFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea_->viewport() && event->type() == QEvent::Resize) {
        QSize area = static_cast<QResizeEvent*>(event)->size();
        for (QMdiSubWindow* sub : mdiArea_->subWindowList())
            if (sub->property("fillsWorkArea").toBool() && !sub->isMaximized() &&
                !sub->isMinimized())
                sub->setGeometry(QRect(QPoint(0, 0), area));
    }
    if (event->type() == QEvent::Close && !closingFile_ && qobject_cast<QMdiSubWindow*>(watched)) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

template <typename T> T* MainWindow::findChildWindow() const {
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* window = qobject_cast<T*>(sub->widget()))
            return window;
    return nullptr;
}

// Commands --------------------------------------------------------------------

ReportCardWindow* MainWindow::reportWindow() const {
    return findChildWindow<ReportCardWindow>();
}

int MainWindow::selectedStudent() const {
    return gradeBook_ ? gradeBook_->selectedStudent() : 0;
}

bool MainWindow::computeGrandAverages() {
    try {
        BusyPointer busy;
        state_.classDocument.computeAllGrandAverages(state_.averageMode);
    } catch (const std::exception& error) {
        platform_.messages.show(QString::fromStdString(error.what()),
                                QString::fromLatin1(kAppTitle), MessageStyle::OkExclamation);
        return false;
    }
    return true;
}

void MainWindow::newFile() {
    if (state_.workMode == WorkMode::Lessons)
        lessons_.newFile();
    else
        roster_.newClass();
}

void MainWindow::openFile() {
    if (state_.workMode == WorkMode::Lessons)
        lessons_.open();
    else
        gradeFiles_.open();
}

bool MainWindow::saveForMode() {
    if (state_.workMode == WorkMode::Lessons)
        return lessons_.saveLessonFile();
    return gradeFiles_.save();
}

void MainWindow::saveFile() {
    saveForMode();
}

void MainWindow::saveFileAs() {
    if (state_.workMode == WorkMode::Lessons)
        lessons_.saveAs();
    else
        gradeFiles_.saveAs();
}

void MainWindow::printFile() {
    // A report window gone by other means leaves the grade book's mode.
    if (state_.workMode == WorkMode::ReportCard && !reportWindow())
        state_.workMode = WorkMode::Grades;
    if (state_.workMode == WorkMode::ReportCard) {
        if (!confirmPrinterOn(platform_.printer, platform_.messages))
            return;
        if (ReportCardWindow* report = reportWindow())
            report->pressPrint();
        return;
    }
    if (state_.workMode == WorkMode::Grades) {
        if (!computeGrandAverages())
            return;
        if (gradePrint_) {
            gradePrint_->raise();
            gradePrint_->activateWindow();
            return;
        }
        gradePrint_ = new GradePrintDialog(
            state_, platform_, [this] { return selectedStudent(); }, this);
        // Modal: the class it prints cannot be closed or replaced under it.
        gradePrint_->setWindowModality(Qt::ApplicationModal);
        gradePrint_->show();
        return;
    }
    LessonEditorWindow* editor = lessons_.editor();
    if (!editor)
        return;
    if (lessonPrint_) {
        lessonPrint_->restart();
        lessonPrint_->raise();
        lessonPrint_->activateWindow();
        return;
    }
    lessonPrint_ = new LessonPrintDialog(state_, platform_.messages, this);
    connect(lessonPrint_, &LessonPrintDialog::printChosen, this, [this] {
        // As the teacher would: the editor's print button is pressed.
        if (LessonEditorWindow* shown = lessons_.editor())
            shown->pressPrint();
    });
    lessonPrint_->show();
}

void MainWindow::closeFile() {
    if (state_.workMode == WorkMode::ReportCard && !reportWindow())
        state_.workMode = WorkMode::Grades;
    if (state_.workMode == WorkMode::ReportCard) {
        // The report card window puts the step panel back to the grid as
        // it closes.
        if (ReportCardWindow* report = reportWindow())
            report->pressClose();
        return;
    }
    if (state_.classModified()) {
        QString text = QString::fromStdString(state_.currentFileName) +
                       QStringLiteral(" has changed.\n\nSave current changes?");
        QString title =
            state_.inGradeMode() ? QStringLiteral("Edit Grid") : QStringLiteral("Plans");
        MessageButton answer =
            platform_.messages.show(text, title, MessageStyle::YesNoCancelQuestion);
        if (answer == MessageButton::Cancel)
            return;
        if (answer == MessageButton::No)
            journal_.discard();
        // Changes that could not be saved stay open rather than being lost.
        if (answer == MessageButton::Yes && !saveForMode())
            return;
    }
    setTextColour(Picture4->caption(Step::NameEntry), palette().color(QPalette::WindowText));
    Picture4->setRaised(Step::NameEntry, false);

    // Every window of the file goes with it: none may show a class that is gone.
    closingFile_ = true;
    mdiArea_->closeAllSubWindows();
    closingFile_ = false;
    gradeBook_ = nullptr;

    Picture4->hide();
    setFileCaption(QString());
    showNoFileState();
}

bool MainWindow::confirmLosingChanges() {
    if (!state_.classModified())
        return true;
    platform_.messages.beep();
    bool agreed =
        platform_.messages.show(QStringLiteral("WARNING: Exiting at this time \n"
                                               "will cause all changes to be lost!"),
                                QStringLiteral("Exit?"),
                                MessageStyle::OkCancelCriticalNoDefault) == MessageButton::Ok;
    // The teacher chose to lose the changes: no copy brings them back.
    if (agreed)
        journal_.discard();
    return agreed;
}

void MainWindow::exitProgram() {
    if (!mayDiscardReportCard() || !confirmLosingChanges())
        return;
    exitConfirmed_ = true;
    if (!close())
        exitConfirmed_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window frame's close gives the same warning as Exit: unsaved
    // changes are never dropped without the teacher agreeing.
    if (!exitConfirmed_ && (!mayDiscardReportCard() || !confirmLosingChanges())) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

bool MainWindow::mayDiscardReportCard() {
    // Leaving the program with a filled, unprinted card asks as its Close does.
    ReportCardWindow* report = reportWindow();
    return !report || report->mayDiscard();
}

void MainWindow::shutDown() {
    if (shutDownDone_)
        return;
    shutDownDone_ = true;
    // Windows of their own (teacher details, About, file deletion) close too,
    // so that nothing keeps the program running.
    for (QDialog* dialog : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly))
        dialog->close();
    platform_.help.quit();
    writeSettings();
}

void MainWindow::backup() {
    if (state_.workMode == WorkMode::Lessons)
        lessons_.backup();
    else
        gradeFiles_.backup();
}

void MainWindow::restore() {
    if (state_.workMode == WorkMode::Lessons)
        lessons_.restore();
    else
        gradeFiles_.restore();
}

void MainWindow::deleteFiles() {
    if (deletion_) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(deletion_->parentWidget()))
            mdiArea_->setActiveSubWindow(sub);
        return;
    }
    deletion_ = new FileDeletionWindow(platform_);
    deletion_->setAttribute(Qt::WA_DeleteOnClose);
    showChild(deletion_);
}

void MainWindow::addStudent() {
    roster_.addStudent();
}

void MainWindow::lessonsMode() {
    toolbarButtons_.at(12)->setChecked(true);
    setCommandEnabled(ShellCommand::AddStudent, false);
    state_.workMode = WorkMode::Lessons;
}

void MainWindow::gradesMode() {
    toolbarButtons_.at(13)->setChecked(true);
    setCommandEnabled(ShellCommand::AddStudent, true);
    state_.workMode = WorkMode::Grades;
}

void MainWindow::helpContents() {
    platform_.help.showContents();
}

void MainWindow::helpSearch() {
    platform_.help.search(QString());
}

void MainWindow::showStartupForm() {
    if (startupForm_) {
        startupForm_->raise();
        startupForm_->activateWindow();
        return;
    }
    startupForm_ = new StartupForm(state_, this);
    connect(startupForm_, &StartupForm::detailsConfirmed, this, [this] {
        // With a report card window open its school, teacher and grade boxes
        // take the new details.
        if (state_.workMode != WorkMode::ReportCard)
            return;
        if (ReportCardWindow* report = reportWindow())
            report->setTeacherDetails(state_.schoolName, state_.teacherName, state_.gradeLevel);
    });
    startupForm_->show();
}

void MainWindow::showDisclaimer() {
    platform_.messages.show(QString::fromLatin1(kDisclaimer), QStringLiteral("Disclaimer"),
                            MessageStyle::Ok);
}

void MainWindow::showAbout() {
    auto* box = new AboutBox(this);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

// Step panel -----------------------------------------------------------------

void MainWindow::stepClicked(Step step) {
    if (step == Step::GradeEntry)
        gradeEntryClicked();
    else if (step == Step::GradeReport)
        gradeReportClicked();
}

void MainWindow::gradeEntryClicked() {
    if (findChildWindow<GradeEntryWindow>())
        return;
    if (state_.classRecord().studentCount > 0) {
        showChild(new GradeEntryWindow(state_, platform_, *this));
        return;
    }
    // Nothing to enter grades for: the grid stays the current step.
    returnToEditGrid(Step::GradeEntry);
}

void MainWindow::gradeReportClicked() {
    if (reportWindow())
        return;
    // The averages show their own hourglass, and any message with the
    // normal pointer.
    if (computeGrandAverages()) {
        BusyPointer busy;
        showChild(new ReportCardWindow(state_, platform_, *this));
        return;
    }
    // No report without averages: the grid stays the current step.
    returnToEditGrid(Step::GradeReport);
}

// The statistics of the open class, kept up to date while it is shown.
void MainWindow::statisticsClicked() {
    if (!state_.classDocument.isOpen() || !state_.inGradeMode())
        return;
    if (statisticsWindow_) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(statisticsWindow_->parentWidget()))
            mdiArea_->setActiveSubWindow(sub);
        statistics_->refresh();
        return;
    }
    QString problem;
    StatisticsPanel* panel = [&] {
        BusyPointer busy; // reading the charts module the first time
        return createStatisticsPanel(state_, platform_, problem);
    }();
    if (!panel) {
        platform_.messages.show(
            QStringLiteral("The statistics could not be shown.\n\n%1").arg(problem),
            QStringLiteral("Statistics"), MessageStyle::OkExclamation);
        return;
    }
    statistics_ = panel;
    statisticsWindow_ = panel->widget();
    statisticsWindow_->setAttribute(Qt::WA_DeleteOnClose);
    statistics_->setSelectedStudent(selectedStudent());
    statistics_->refresh();
    showChild(statisticsWindow_);
}

void MainWindow::importGradeColumn() {
    if (!state_.classDocument.isOpen() || !state_.inGradeMode())
        return;
    auto column = askGradeColumnImport(state_.classRecord(), platform_, this);
    if (!column)
        return;
    try {
        platform_.history.record(state_.classDocument,
                                 state_.classDocument.appendColumn(column->category, column->grades,
                                                                   column->description));
    } catch (const std::exception& error) {
        showError(platform_.messages, QString::fromStdString(error.what()));
        return;
    }
    if (gradeBook_)
        gradeBook_->activate();
}

// The class out to a spreadsheet or the school's system.
void MainWindow::databaseClicked() {
    if (!state_.classDocument.isOpen() || !state_.inGradeMode())
        return;
    exportClassFromWindow(state_.classRecord(), state_, platform_, this);
}

} // namespace tallyro
