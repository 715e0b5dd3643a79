#include "ui/reports/reportcardwindow.h"

#include "core/print/printdate.h"
#include "ui/platform/automationids.h"
#include "ui/platform/controls.h"
#include "ui/platform/messagebox.h"
#include "ui/platform/printer.h"
#include "ui/platform/printersurface.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

#include <utility>

namespace tallyro {

namespace {

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

// Mark boxes hold a letter or a number, so a few characters do.
constexpr int kMarkBoxWidth = 44;
constexpr int kCountBoxWidth = 36;

// The printed comment keeps the lines the box shows, and a page line holds
// about a hundred characters: the box grows no wider than that.
constexpr int kCommentCharacters = 100;
// Lines the comment box shows at least, and at most however tall the window.
constexpr int kCommentLinesMin = 4;
constexpr int kCommentLinesMax = 10;

// Yes/No with the question icon, No the default: a slip of the Enter key
// keeps the report.
constexpr auto kDiscardQuestion = static_cast<MessageStyle>(4 + 32 + 256);

// What the teacher filled in: everything Close would lose. The school,
// teacher and grade level stay with the program, the student and the copies
// are choices of what to print.
bool sameReport(const ReportCardEntry& a, const ReportCardEntry& b) {
    for (int i = 0; i < kSubjectCount; ++i)
        if (a.subjects[i].checked != b.subjects[i].checked ||
            a.subjects[i].mark != b.subjects[i].mark)
            return false;
    return a.conduct == b.conduct && a.attendance == b.attendance && a.absences == b.absences &&
           a.tardies == b.tardies && a.areas == b.areas && a.recommendations == b.recommendations &&
           a.comments == b.comments;
}

// A student's name as part of a file name: a slash would name a folder.
QString fileNamePart(QString text) {
    return text.replace(QLatin1Char('/'), QLatin1Char('-'));
}

} // namespace

ReportCardWindow::ReportCardWindow(AppState& state, Platform& platform, Shell& shell,
                                   QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName(QStringLiteral("Reportfrm"));
    setWindowTitle(QStringLiteral("Grade Report"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildLayout();
    load();
}

ReportCardWindow::~ReportCardWindow() {
    // The focus leaves the controls while they are taken down.
    disconnect(focusFollower_);
}

void ReportCardWindow::buildControls() {
    auto lineEdit = [this](QLineEdit*& member, const char* name, const QString& accessible) {
        member = new QLineEdit(this);
        member->setObjectName(QString::fromLatin1(name));
        member->setAccessibleName(accessible);
    };
    auto check = [this](QCheckBox*& member, const char* name, const QString& caption) {
        member = new QCheckBox(caption, this);
        member->setObjectName(QString::fromLatin1(name));
        member->setAccessibleName(caption);
        return member;
    };
    auto frame = [this](QGroupBox*& member, const char* name, const QString& caption) {
        member = new QGroupBox(caption, this);
        member->setObjectName(QString::fromLatin1(name));
        member->setAccessibleName(caption);
    };

    Label1 = namedLabel(this, "Label1", QStringLiteral("&School"));
    Label2 = namedLabel(this, "Label2", QStringLiteral("&Teacher"));
    Label5 = namedLabel(this, "Label5", QStringLiteral("&Grade"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("St&udent"));
    Label6 = namedLabel(this, "Label6", QStringLiteral("Date"));
    Label7 = namedLabel(this, "Label7", QString());
    Label7->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lineEdit(txtschool, "txtschool", QStringLiteral("School"));
    lineEdit(txtteacher, "txtteacher", QStringLiteral("Teacher"));
    lineEdit(txtgrade, "txtgrade", QStringLiteral("Grade"));
    txtgrade->setMaximumWidth(80);
    Label1->setBuddy(txtschool);
    Label2->setBuddy(txtteacher);
    Label5->setBuddy(txtgrade);
    stucombo = new QComboBox(this);
    stucombo->setObjectName(QStringLiteral("stucombo"));
    stucombo->setAccessibleName(QStringLiteral("Student"));
    stucombo->setMinimumContentsLength(24);
    Label3->setBuddy(stucombo);

    // The subjects, in page order, with their boxes' names.
    struct Subject {
        QCheckBox* ReportCardWindow::*check;
        const char* checkName;
        QLineEdit* ReportCardWindow::*mark;
        const char* markName;
    };
    using W = ReportCardWindow;
    const Subject subjects[kSubjectCount] = {
        {&W::Check1, "Check1", &W::Text1, "Text1"},
        {&W::Check2, "Check2", &W::Text2, "Text2"},
        {&W::Check3, "Check3", &W::Text3, "Text3"},
        {&W::Check25, "Check25", &W::Text4, "Text4"},
        {&W::Check26, "Check26", &W::Text5, "Text5"},
        {&W::Check27, "Check27", &W::Text6, "Text6"},
        {&W::Check28, "Check28", &W::Text7, "Text7"},
        {&W::Check29, "Check29", &W::Text8, "Text8"},
        {&W::Check35, "Check35", &W::Text11, "Text11"},
        {&W::Check36, "Check36", &W::Text12, "Text12"},
        {&W::Check37, "Check37", &W::Text13, "Text13"},
        {&W::Check40, "Check40", &W::Text16, "Text16"},
        {&W::Check31, "Check31", &W::Text10, "Text10"},
        {&W::Check39, "Check39", &W::Text15, "Text15"},
        {&W::Check38, "Check38", &W::Text14, "Text14"},
        {&W::Check30, "Check30", &W::Text9, "Text9"},
    };
    for (int i = 0; i < kSubjectCount; ++i) {
        QString caption = QString::fromLatin1(kSubjectCaptions[i]);
        QCheckBox* box = check(this->*subjects[i].check, subjects[i].checkName, caption);
        QLineEdit* mark = new QLineEdit(this);
        this->*subjects[i].mark = mark;
        mark->setObjectName(QString::fromLatin1(subjects[i].markName));
        mark->setAccessibleName(caption + QStringLiteral(" mark"));
        mark->setFixedWidth(kMarkBoxWidth);
        subjectChecks_[i] = box;
        subjectMarks_[i] = mark;
        // A subject just ticked wants its mark next.
        connect(box, &QCheckBox::clicked, this, [box, mark] {
            if (box->isChecked())
                mark->setFocus();
        });
    }

    frame(Frame1, "Frame1", QStringLiteral("Academic Performance"));
    frame(Frame3, "Frame3", QStringLiteral("Academic Performance"));
    frame(Frame2, "Frame2", QStringLiteral("Conduct"));
    // Alt+M is the comment box's.
    Command4 = windowButton(this, "Command4", QStringLiteral("Mo&re..."));
    Command6 = windowButton(this, "Command6", QStringLiteral("Con&duct..."));
    Command3 = windowButton(this, "Command3", QStringLiteral("&Back..."));
    Command5 = windowButton(this, "Command5", QStringLiteral("B&ack..."));

    QRadioButton* ReportCardWindow::*const conductMembers[kConductCount] = {
        &W::optA, &W::optB, &W::optC, &W::optD, &W::optF, &W::optTC};
    const char* const conductNames[kConductCount] = {"optA", "optB", "optC",
                                                     "optD", "optF", "optTC"};
    for (int i = 0; i < kConductCount; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kConductCaptions[i]), this);
        option->setObjectName(QString::fromLatin1(conductNames[i]));
        option->setAccessibleName(option->text());
        this->*conductMembers[i] = option;
        conduct_[i] = option;
        // A conduct mark chosen with the mouse leads back to the subjects; the
        // arrow keys move between the marks without leaving them.
        option->installEventFilter(this);
        connect(option, &QRadioButton::clicked, this, [this] {
            if (conductByMouse_)
                Command5->setFocus();
            conductByMouse_ = false;
        });
    }
    optA->setChecked(true);

    frame(Frame4, "Frame4", QStringLiteral("Areas For Improvement"));
    QCheckBox* ReportCardWindow::*const areaMembers[kAreaCount + 1] = {
        &W::Check4,  &W::Check6,  &W::Check8,  &W::Check7,  &W::Check5, &W::Check10,
        &W::Check12, &W::Check13, &W::Check14, &W::Check11, &W::Check9, &W::Check15};
    const char* const areaNames[kAreaCount + 1] = {"Check4",  "Check6",  "Check8",  "Check7",
                                                   "Check5",  "Check10", "Check12", "Check13",
                                                   "Check14", "Check11", "Check9",  "Check15"};
    for (int i = 0; i <= kAreaCount; ++i) {
        QString caption = QString::fromLatin1(i == 0 ? kAttendanceCaption : kAreaCaptions[i - 1]);
        areaChecks_[i] = check(this->*areaMembers[i], areaNames[i], caption);
    }
    Label4 = namedLabel(this, "Label4", QStringLiteral("Absences/Tardies"));
    lineEdit(txtabsences, "txtabsences", QStringLiteral("Absences"));
    lineEdit(txttardies, "txttardies", QStringLiteral("Tardies"));
    txtabsences->setFixedWidth(kCountBoxWidth);
    txttardies->setFixedWidth(kCountBoxWidth);
    Label4->setBuddy(txtabsences);
    connect(Check4, &QCheckBox::clicked, this, [this] {
        if (Check4->isChecked())
            txtabsences->setFocus();
    });

    frame(Frame5, "Frame5", QStringLiteral("Recommendations"));
    QCheckBox* ReportCardWindow::*const recommendationMembers[kRecommendationCount] = {
        &W::Check16, &W::Check17, &W::Check18, &W::Check21, &W::Check20,
        &W::Check19, &W::Check22, &W::Check23, &W::Check24};
    const char* const recommendationNames[kRecommendationCount] = {"Check16", "Check17", "Check18",
                                                                   "Check21", "Check20", "Check19",
                                                                   "Check22", "Check23", "Check24"};
    for (int i = 0; i < kRecommendationCount; ++i)
        recommendationChecks_[i] = check(this->*recommendationMembers[i], recommendationNames[i],
                                         QString::fromLatin1(kRecommendationCaptions[i]));

    txtcomment = new QPlainTextEdit(this);
    txtcomment->setObjectName(QStringLiteral("txtcomment"));
    txtcomment->setAccessibleName(QStringLiteral("Teacher Comments"));
    txtcomment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtcomment->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtcomment->setTabChangesFocus(true);

    frame(Frame6, "Frame6", QStringLiteral("Copies"));
    QCheckBox* ReportCardWindow::*const copyMembers[kCopyCount] = {&W::Check34, &W::Check33,
                                                                   &W::Check32, &W::Check41};
    const char* const copyNames[kCopyCount] = {"Check34", "Check33", "Check32", "Check41"};
    for (int i = 0; i < kCopyCount; ++i) {
        copyChecks_[i] =
            check(this->*copyMembers[i], copyNames[i], QString::fromLatin1(kCopyCaptions[i]));
        connect(copyChecks_[i], &QCheckBox::clicked, this, [this, i] { copyClicked(i); });
    }
    Check34->setChecked(true);

    Command1 = windowButton(this, "Command1", QStringLiteral("C&lear Form"));
    cmdnext = windowButton(this, "cmdnext", QStringLiteral("&Next"));
    cmdprint = windowButton(this, "cmdprint", QStringLiteral("&Print"));
    cmdexit = windowButton(this, "cmdexit", QStringLiteral("&Close"));

    connect(txtschool, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.schoolName = text.toStdString(); });
    connect(txtteacher, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.teacherName = text.toStdString(); });
    connect(txtgrade, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.gradeLevel = text.toStdString(); });
    connect(stucombo, &QComboBox::activated, this, [this] { cmdnext->setFocus(); });
    connect(Command4, &QPushButton::clicked, this, [this] { showPage(Frame3, Command3); });
    connect(Command3, &QPushButton::clicked, this, [this] { showPage(Frame1, Command6); });
    connect(Command6, &QPushButton::clicked, this, [this] { showPage(Frame2, Command5); });
    connect(Command5, &QPushButton::clicked, this, [this] { showPage(Frame1, Command4); });
    connect(Command1, &QPushButton::clicked, this, &ReportCardWindow::clearForm);
    connect(cmdnext, &QPushButton::clicked, this, &ReportCardWindow::nextStudent);
    connect(cmdprint, &QPushButton::clicked, this, &ReportCardWindow::printReportCard);
    connect(cmdexit, &QPushButton::clicked, this, &QWidget::close);

    // A control reached by Tab or its access key is scrolled into view, all
    // of it (a text box as well as the line its cursor is on).
    focusFollower_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            QWidget* sheet = scroll_ ? scroll_->widget() : nullptr;
            if (!now || !sheet || !sheet->isAncestorOf(now))
                return;
            QRect area(now->mapTo(sheet, QPoint(0, 0)), now->size());
            QSize room = scroll_->viewport()->size() / 2;
            scroll_->ensureVisible(area.center().x(), area.center().y(),
                                   qMin(area.width() / 2 + 8, room.width()),
                                   qMin(area.height() / 2 + 8, room.height()));
        });
}

void ReportCardWindow::buildLayout() {
    // The long lists of ticks and marks stand close together, so that the
    // card needs as little height as it can.
    constexpr int listSpacing = 2;
    // The two subject frames: a check box and its mark box per row, the mark
    // beside its subject however wide the frame.
    auto subjectGrid = [this](QGroupBox* frame, int first) {
        auto* grid = new QGridLayout(frame);
        grid->setVerticalSpacing(listSpacing);
        for (int i = 0; i < 8; ++i) {
            grid->addWidget(subjectChecks_[first + i], i, 0);
            grid->addWidget(subjectMarks_[first + i], i, 1);
        }
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(9, 1);
        return grid;
    };
    QGridLayout* first = subjectGrid(Frame1, 0);
    auto* firstButtons = new QHBoxLayout;
    firstButtons->setSpacing(6);
    firstButtons->addWidget(Command4);
    firstButtons->addWidget(Command6);
    firstButtons->addStretch(1);
    first->addLayout(firstButtons, 8, 0, 1, 3);
    QGridLayout* second = subjectGrid(Frame3, 8);
    second->addWidget(Command3, 8, 0, 1, 3, Qt::AlignLeft);
    auto* conductLayout = new QVBoxLayout(Frame2);
    for (QRadioButton* option : conduct_)
        conductLayout->addWidget(option);
    conductLayout->addStretch(1);
    conductLayout->addWidget(Command5, 0, Qt::AlignLeft);

    // The three frames share one place; the buttons turn between them.
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("framePages"));
    pages_->addWidget(Frame1);
    pages_->addWidget(Frame3);
    pages_->addWidget(Frame2);

    // Attendance has its counts beside it.
    auto* areas = new QVBoxLayout(Frame4);
    areas->setSpacing(listSpacing);
    auto* attendance = new QHBoxLayout;
    attendance->addWidget(Check4);
    attendance->addSpacing(12);
    attendance->addWidget(Label4);
    attendance->addWidget(txtabsences);
    attendance->addWidget(txttardies);
    attendance->addStretch(1);
    areas->addLayout(attendance);
    for (int i = 1; i <= kAreaCount; ++i)
        areas->addWidget(areaChecks_[i]);
    areas->addStretch(1);

    auto* recommendations = new QVBoxLayout(Frame5);
    recommendations->setSpacing(listSpacing);
    for (QCheckBox* box : recommendationChecks_)
        recommendations->addWidget(box);
    recommendations->addStretch(1);

    auto* copies = new QHBoxLayout(Frame6);
    for (QCheckBox* box : copyChecks_)
        copies->addWidget(box);

    auto* top = new QGridLayout;
    top->addWidget(Label1, 0, 0);
    top->addWidget(txtschool, 0, 1);
    top->addWidget(Label2, 0, 2);
    top->addWidget(txtteacher, 0, 3);
    top->addWidget(Label5, 0, 4);
    top->addWidget(txtgrade, 0, 5);
    top->addWidget(Label3, 1, 0);
    top->addWidget(stucombo, 1, 1);
    top->addWidget(Label6, 1, 2, Qt::AlignRight);
    top->addWidget(Label7, 1, 3, Qt::AlignLeft);
    // The captions keep their full width, however narrow the window.
    for (QLabel* caption : {Label1, Label2, Label5, Label3, Label6})
        caption->setMinimumWidth(caption->sizeHint().width() + 4);
    top->setColumnStretch(1, 3);
    top->setColumnStretch(3, 2);

    auto* middle = new QHBoxLayout;
    middle->addWidget(pages_, 3);
    middle->addWidget(Frame4, 4);
    middle->addWidget(Frame5, 4);

    auto* commentLabel = new QLabel(QStringLiteral("Co&mments"), this);
    commentLabel->setObjectName(QStringLiteral("commentLabel"));
    commentLabel->setBuddy(txtcomment);
    const QFontMetrics metrics = txtcomment->fontMetrics();
    const int chrome = 2 * txtcomment->frameWidth() +
                       2 * qCeil(txtcomment->document()->documentMargin()) +
                       txtcomment->verticalScrollBar()->sizeHint().width();
    txtcomment->setMaximumWidth(metrics.averageCharWidth() * kCommentCharacters + chrome);
    txtcomment->setMinimumHeight(metrics.lineSpacing() * kCommentLinesMin + 12);
    txtcomment->setMaximumHeight(metrics.lineSpacing() * kCommentLinesMax + 12);

    // The copies and the buttons stand beside the comment box, which is no
    // wider than a printed line.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, cmdnext, cmdprint, cmdexit})
        buttons->addWidget(b);
    auto* bottom = new QGridLayout;
    bottom->addWidget(commentLabel, 0, 0);
    bottom->addWidget(txtcomment, 1, 0, 2, 1);
    bottom->addWidget(Frame6, 1, 2, Qt::AlignRight | Qt::AlignTop);
    bottom->addLayout(buttons, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    bottom->setColumnStretch(0, 1);
    bottom->setColumnMinimumWidth(1, 12);

    // Everything sits on one sheet that scrolls when the work area is too
    // small for it, and is laid out from the top when it is larger.
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("sheet"));
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    layout->addStretch(1);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("sheetScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    // The controls take the focus, never the sheet around them.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(sheet);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);

    setTabOrder(txtschool, txtteacher);
    setTabOrder(txtteacher, txtgrade);
    setTabOrder(txtgrade, stucombo);
    setTabOrder(stucombo, Check1);
    // Back comes after the conduct marks above it.
    setTabOrder(optTC, Command5);
    // The counts sit under Attendance and come right after it.
    setTabOrder(Check4, txtabsences);
    setTabOrder(txtabsences, txttardies);
    setTabOrder(txttardies, Check6);
}

void ReportCardWindow::load() {
    // The main window's commands that would save or back up the class wait
    // until the report is done.
    setMainCommandsEnabled(false);
    const ClassRecord& record = state_.classRecord();
    for (int s = 0; s < record.studentCount && s < static_cast<int>(record.studentNames.size());
         ++s)
        stucombo->addItem(toQString(record.studentNames[s]));
    // A class without students leaves the list with no selection.
    stucombo->setCurrentIndex(stucombo->count() > 0 ? 0 : -1);
    showDate(QString::fromStdString(PrintDate::today().slashed()));
    txtschool->setText(toQString(state_.schoolName));
    txtteacher->setText(toQString(state_.teacherName));
    txtgrade->setText(toQString(state_.gradeLevel));
    state_.workMode = WorkMode::ReportCard;
    if (!state_.schoolName.empty())
        cmdnext->setFocus();
    else
        txtschool->setFocus();
}

void ReportCardWindow::setMainCommandsEnabled(bool enabled) {
    for (ShellCommand command : {ShellCommand::SaveAs, ShellCommand::Save, ShellCommand::Backup})
        shell_.setCommandEnabled(command, enabled);
    shell_.setStepEnabled(Step::NameEntry, enabled);
}

void ReportCardWindow::activate() {
    openMark_.clear();
    if (!state_.schoolName.empty() && !focusWidget())
        cmdnext->setFocus();
}

void ReportCardWindow::showPage(QWidget* page, QWidget* focus) {
    pages_->setCurrentWidget(page);
    focus->setFocus();
}

void ReportCardWindow::showDate(const QString& date) {
    Label7->setText(date);
    setSpokenName(Label7, QStringLiteral("Date ") + date);
}

void ReportCardWindow::copyClicked(int copy) {
    // Among Parent, Teacher and Office one copy always stays ticked; the
    // Student copy comes and goes on its own.
    auto ticked = [this](int i) { return copyChecks_[i]->isChecked(); };
    constexpr int parent = 0, teacher = 1, office = 2;
    if (copy == parent && !ticked(office) && !ticked(parent))
        copyChecks_[teacher]->setChecked(true);
    else if (copy == teacher && !ticked(teacher) && !ticked(parent))
        copyChecks_[office]->setChecked(true);
    else if (copy == office && !ticked(teacher) && !ticked(office))
        copyChecks_[parent]->setChecked(true);
}

void ReportCardWindow::clearForm() {
    optA->setChecked(true);
    for (QCheckBox* box : subjectChecks_)
        box->setChecked(false);
    for (QCheckBox* box : areaChecks_)
        box->setChecked(false);
    for (QCheckBox* box : recommendationChecks_)
        box->setChecked(false);
    for (QLineEdit* mark : subjectMarks_)
        mark->clear();
    txtabsences->clear();
    txttardies->clear();
    txtcomment->clear();
}

void ReportCardWindow::nextStudent() {
    int count = stucombo->count();
    if (count > 0) {
        int index = stucombo->currentIndex();
        stucombo->setCurrentIndex(index < 0 || index >= count - 1 ? 0 : index + 1);
    }
    cmdnext->setFocus();
}

ReportCardEntry ReportCardWindow::entry() const {
    ReportCardEntry entry;
    entry.schoolName = state_.schoolName;
    entry.teacherName = state_.teacherName;
    entry.gradeLevel = state_.gradeLevel;
    entry.studentName = stucombo->currentIndex() >= 0 ? stucombo->currentText().toStdString() : "";
    for (int i = 0; i < kSubjectCount; ++i)
        entry.subjects[i] = {subjectChecks_[i]->isChecked(),
                             subjectMarks_[i]->text().toStdString()};
    for (int i = 0; i < kConductCount; ++i)
        if (conduct_[i]->isChecked())
            entry.conduct = i;
    entry.attendance = Check4->isChecked();
    entry.absences = txtabsences->text().toStdString();
    entry.tardies = txttardies->text().toStdString();
    for (int i = 0; i < kAreaCount; ++i)
        entry.areas[i] = areaChecks_[i + 1]->isChecked();
    for (int i = 0; i < kRecommendationCount; ++i)
        entry.recommendations[i] = recommendationChecks_[i]->isChecked();
    entry.comments = txtcomment->toPlainText().toStdString();
    for (int i = 0; i < kCopyCount; ++i)
        entry.copies[i] = copyChecks_[i]->isChecked();
    entry.date = Label7->text().toStdString();
    return entry;
}

std::vector<std::string> ReportCardWindow::commentLines() const {
    // The lines break where the box on screen breaks them: the box's text
    // area is its viewport less the document's margins.
    double width = txtcomment->viewport()->width() - 2 * txtcomment->document()->documentMargin();
    TextBoxLayout layout = txtcomment->isVisible() && width > 20
                               ? textBoxLayoutFor(txtcomment->font(), width)
                               : defaultCommentBox();
    return displayLines(txtcomment->toPlainText().toStdString(), layout);
}

void ReportCardWindow::pressPrint() {
    cmdprint->setFocus();
    cmdprint->click();
}

void ReportCardWindow::pressClose() {
    cmdexit->setFocus();
    cmdexit->click();
}

void ReportCardWindow::setTeacherDetails(const std::string& school, const std::string& teacher,
                                         const std::string& grade) {
    txtschool->setText(QString::fromStdString(school));
    txtteacher->setText(QString::fromStdString(teacher));
    txtgrade->setText(QString::fromStdString(grade));
}

void ReportCardWindow::printReportCard() {
    // The card's own Print prints at once; File, Print asks about the
    // printer before it presses it.
    ReportCardEntry report = entry();
    std::vector<std::string> lines = commentLines();
    QString what = QStringLiteral("report card");
    if (!report.studentName.empty())
        what += QLatin1Char(' ') + fileNamePart(toQString(report.studentName));
    platform_.printer.suggestPdfName(
        proposedPdfPath(state_.currentFileFolder, state_.currentFileName, what));
    bool composed = false;
    bool printed = printOrReport(
        platform_.printer, platform_.messages,
        [&](PrintSurface& surface) {
            composed = true;
            composeReportCard(surface, report, lines);
        },
        QStringLiteral("Grade Report"));
    // An attendance count left empty was printed as "___" and stays so.
    if (composed && report.attendance) {
        txtabsences->setText(toQString(report.absences));
        txttardies->setText(toQString(report.tardies));
    }
    if (printed)
        printed_ = entry();
}

bool ReportCardWindow::hasUnprintedReport() const {
    ReportCardEntry now = entry();
    return !sameReport(now, ReportCardEntry{}) && !(printed_ && sameReport(now, *printed_));
}

bool ReportCardWindow::mayDiscard() {
    if (!hasUnprintedReport())
        return true;
    QString whose = stucombo->currentIndex() >= 0
                        ? QStringLiteral("The report card of ") + stucombo->currentText()
                        : QStringLiteral("The report card");
    return platform_.messages.show(whose + QStringLiteral(" is filled in but not printed.\n\n"
                                                          "Discard it?"),
                                   QStringLiteral("Grade Report"),
                                   kDiscardQuestion) == MessageButton::Yes;
}

void ReportCardWindow::closeEvent(QCloseEvent* event) {
    if (!closed_ && !mayDiscard()) {
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        // Back to the grade book's step; the commands come back with it.
        shell_.returnToEditGrid(Step::GradeReport);
        setMainCommandsEnabled(true);
        state_.workMode = WorkMode::Grades;
    }
    QWidget::closeEvent(event);
}

bool ReportCardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (QRadioButton* option : conduct_)
            conductByMouse_ |= watched == option;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tallyro
