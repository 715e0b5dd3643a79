#include "ui/gradebook/gradeentrywindow.h"

#include "core/gradebook/categories.h"
#include "ui/platform/automationids.h"
#include "ui/platform/controls.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tallyro {

namespace {

// A quantity is a whole number of grades; "1.5" or ".5" is refused like any
// other text, since half a grade column cannot be entered.
std::optional<int> wholeQuantity(const QString& text) {
    auto number = parseNumber(text.toStdString());
    if (!number || *number != std::floor(*number) || std::fabs(*number) > 1000)
        return std::nullopt;
    return static_cast<int>(*number);
}

bool isGradeText(const QString& text) {
    return (!text.isEmpty() && isNumericText(text.toStdString())) || text == QLatin1String("x");
}

const ShellCommand kCommandsWaiting[] = {ShellCommand::Save, ShellCommand::SaveAs,
                                         ShellCommand::Print, ShellCommand::Close,
                                         ShellCommand::Backup};

} // namespace

GradeEntryWindow::GradeEntryWindow(AppState& state, Platform& platform, Shell& shell,
                                   QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell),
      session_(state.classDocument) {
    setObjectName(QStringLiteral("frmgradentry"));
    setWindowTitle(QStringLiteral("Grade Entry"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildLayout();
    speakWalk();
    state_.classDocument.addListener(this);
}

void GradeEntryWindow::buildControls() {
    Frame1 = new QGroupBox(QStringLiteral("Category  Quantity"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    for (int c = 1; c <= kCategoryCount; ++c) {
        Label[c] = new QLabel(QString::fromStdString(kCategoryNames[c]), Frame1);
        Label[c]->setObjectName(QStringLiteral("Label"));
        Label[c]->setProperty("index", c);
        Text[c] = new QLineEdit(Frame1);
        Text[c]->setObjectName(QStringLiteral("Text"));
        Text[c]->setProperty("index", c);
        Text[c]->setAccessibleName(QString::fromStdString(kCategoryNames[c]));
        Text[c]->setMaxLength(2);
        Text[c]->setAlignment(Qt::AlignCenter);
        Text[c]->setFixedWidth(40);
        Text[c]->setText(QStringLiteral("0"));
        Text[c]->installEventFilter(this);
        Label[c]->setBuddy(Text[c]);
        connect(Text[c], &QLineEdit::textChanged, this, [this, c] { quantityChanged(c); });
    }
    // Alt+O, Alt+F, Alt+E and Alt+H belong to the menus; the captions keep
    // their words and take letters of their own.
    cmdselectready = windowButton(this, "cmdselectready", QStringLiteral("Con&tinue"));
    cmdselectready->setParent(Frame1);
    cmdselectready->setEnabled(false);

    Label2 = namedLabel(this, "Label2",
                        QStringLiteral("Click on a text box. Type in the number of grades "
                                       "to be entered per student. Click Continue to "
                                       "begin entering grades."));
    Label2->setWordWrap(true);

    Frame2 = new QGroupBox(QStringLiteral("Grade Entry"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Check1 = new QCheckBox(QStringLiteral("  ClassGrade"), Frame2);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(QStringLiteral("ClassGrade"));
    Label4 = namedLabel(this, "Label4",
                        QStringLiteral("When checked the grade entered will be given "
                                       "to all students in the class."));
    Label4->setParent(Frame2);
    Label4->setWordWrap(true);
    txtgrade = new QLineEdit(Frame2);
    txtgrade->setObjectName(QStringLiteral("txtgrade"));
    txtgrade->setAccessibleName(QStringLiteral("Grade"));
    txtgrade->setMaxLength(3);
    txtgrade->setAlignment(Qt::AlignCenter);
    txtgrade->setFixedWidth(64);
    txtgrade->setEnabled(false);
    txtgrade->installEventFilter(this);
    cmdentergrade = windowButton(this, "cmdentergrade", QStringLiteral("E&nter"));
    cmdentergrade->setEnabled(false);
    cmdbackward = windowButton(this, "cmdbackward", QStringLiteral("<<&Backward"));
    cmdforward = windowButton(this, "cmdforward", QStringLiteral("Fo&rward>>"));
    cmdbackward->setEnabled(false);
    cmdforward->setEnabled(false);
    cmdexitgradentry = windowButton(this, "cmdexitgradentry", QStringLiteral("&Close"));

    SSPanel1 = new QFrame(Frame2);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameShape(QFrame::Panel);
    SSPanel1->setFrameShadow(QFrame::Raised);
    SSPanel1->setLineWidth(2);
    lblstudname = new QLabel(QStringLiteral("student name"), SSPanel1);
    lblstudname->setObjectName(QStringLiteral("lblstudname"));
    lblstudname->setAccessibleName(QStringLiteral("Student name"));
    lblstudname->setAlignment(Qt::AlignCenter);
    QFont nameFont = lblstudname->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    nameFont.setBold(true);
    lblstudname->setFont(nameFont);

    Label1 = namedLabel(this, "Label1", QStringLiteral("Student#:"));
    lblstudentnumber = namedLabel(this, "lblstudentnumber", QString());
    lblstudentnumber->setAccessibleName(QStringLiteral("Student number"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("Grade#:"));
    lblgradetotal = namedLabel(this, "lblgradetotal", QString());
    lblgradetotal->setAccessibleName(QStringLiteral("Grade number"));
    for (QLabel* number : {lblstudentnumber, lblgradetotal}) {
        number->setFrameShape(QFrame::Panel);
        number->setFrameShadow(QFrame::Sunken);
        number->setAlignment(Qt::AlignCenter);
        number->setMinimumWidth(40);
    }

    connect(cmdselectready, &QPushButton::clicked, this, &GradeEntryWindow::continueClicked);
    connect(txtgrade, &QLineEdit::textChanged, this, &GradeEntryWindow::gradeTextChanged);
    connect(cmdentergrade, &QPushButton::clicked, this, &GradeEntryWindow::enterClicked);
    connect(cmdexitgradentry, &QPushButton::clicked, this, &GradeEntryWindow::closeClicked);
}

void GradeEntryWindow::buildLayout() {
    auto* quantities = new QGridLayout(Frame1);
    quantities->setVerticalSpacing(4);
    quantities->setHorizontalSpacing(12);
    for (int c = 1; c <= kCategoryCount; ++c) {
        quantities->addWidget(Label[c], c - 1, 0);
        quantities->addWidget(Text[c], c - 1, 1);
    }
    quantities->setRowMinimumHeight(kCategoryCount, 8);
    quantities->addWidget(cmdselectready, kCategoryCount + 1, 0, 1, 2);

    auto* panel = new QVBoxLayout(SSPanel1);
    panel->setContentsMargins(8, 6, 8, 6);
    panel->addWidget(lblstudname);

    auto* numbers = new QHBoxLayout;
    numbers->addWidget(Label1);
    numbers->addWidget(lblstudentnumber);
    numbers->addSpacing(24);
    numbers->addWidget(Label3);
    numbers->addWidget(lblgradetotal);
    numbers->addStretch();

    auto* grade = new QHBoxLayout;
    grade->addWidget(txtgrade);
    grade->addWidget(cmdentergrade);
    grade->addStretch();

    auto* moves = new QHBoxLayout;
    moves->addWidget(cmdbackward);
    moves->addWidget(cmdforward);
    moves->addStretch();
    moves->addWidget(cmdexitgradentry);

    auto* entry = new QVBoxLayout(Frame2);
    entry->setSpacing(8);
    entry->addWidget(SSPanel1);
    entry->addLayout(numbers);
    entry->addLayout(grade);
    entry->addWidget(Check1);
    entry->addWidget(Label4);
    entry->addStretch();
    entry->addLayout(moves);

    auto* right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(Label2);
    right->addWidget(Frame2, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);
    layout->addWidget(Frame1);
    layout->addLayout(right, 1);
    Label2->setMinimumWidth(300);
    setTabOrder(Text[kCategoryCount], cmdselectready);
    setTabOrder(cmdselectready, txtgrade);
    setTabOrder(txtgrade, cmdentergrade);
    setTabOrder(cmdentergrade, Check1);
    setTabOrder(Check1, cmdexitgradentry);
}

void GradeEntryWindow::setShellCommandsEnabled(bool enabled) {
    shell_.setStepEnabled(Step::GradeReport, enabled);
    for (ShellCommand command : kCommandsWaiting)
        shell_.setCommandEnabled(command, enabled);
}

void GradeEntryWindow::activate() {
    setShellCommandsEnabled(false);
    // Quantities are only chosen before entry starts; once it runs they stay
    // as they were, so a second activation cannot start entry over midway.
    if (session_.phase() != Phase::Choosing)
        return;
    cmdselectready->setEnabled(false);
    for (int c = 1; c <= kCategoryCount; ++c) {
        const QSignalBlocker blocker(Text[c]);
        Text[c]->setEnabled(true);
        Text[c]->setText(QStringLiteral("0"));
    }
}

// ---- Choosing the quantities ---------------------------------------------

void GradeEntryWindow::quantityChanged(int category) {
    QLineEdit* box = Text[category];
    QString text = box->text();
    auto quantity = wholeQuantity(text);
    if (!quantity) {
        if (!text.isEmpty())
            box->clear();
        return;
    }
    cmdselectready->setEnabled(true);
    int recorded = state_.classRecord().gradeCount(category);
    if (*quantity + recorded > kMaxGradesPerCategory) {
        platform_.messages.show(QStringLiteral("Total grades exceeds the allowable maximum of "
                                               "45!\n\nPlease enter ") +
                                    QString::number(kMaxGradesPerCategory - recorded) +
                                    QStringLiteral(" or less."),
                                QStringLiteral("Over 45..."), MessageStyle::OkCritical);
        box->clear();
    }
}

void GradeEntryWindow::quantityFocused(int category) {
    if (showingMessage_)
        return;
    if (state_.classRecord().gradeCount(category) >= kMaxGradesPerCategory) {
        showingMessage_ = true;
        platform_.messages.show(QStringLiteral("This grade type has reached the maximum\n"
                                               "allowable totalgrades of 45!\n\n"
                                               "No more grades can be entered."),
                                QStringLiteral("Already 45..."), MessageStyle::OkCritical);
        // A full category takes no more: its box is closed so the focus
        // coming back after the message does not ask again.
        const QSignalBlocker blocker(Text[category]);
        Text[category]->setText(QStringLiteral("0"));
        Text[category]->setEnabled(false);
        showingMessage_ = false;
        return;
    }
    Text[category]->clear();
}

void GradeEntryWindow::quantityLeft(int category) {
    if (Text[category]->text().isEmpty())
        Text[category]->setText(QStringLiteral("0"));
}

bool GradeEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtgrade && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (enterIsDefault_ && cmdentergrade->isEnabled())
                cmdentergrade->click();
            else
                platform_.messages.beep();
            return true;
        }
        return false;
    }
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (watched != Text[c])
            continue;
        if (event->type() == QEvent::FocusIn)
            quantityFocused(c);
        else if (event->type() == QEvent::FocusOut)
            quantityLeft(c);
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void GradeEntryWindow::continueClicked() {
    // Without a class there is nothing to enter grades into.
    if (!state_.classDocument.isOpen() || session_.phase() != Phase::Choosing)
        return;
    std::array<int, kCategorySlots> quantities{};
    for (int c = 1; c <= kCategoryCount; ++c)
        quantities[c] = wholeQuantity(Text[c]->text()).value_or(0);
    for (int c = 1; c <= kCategoryCount; ++c)
        Text[c]->setEnabled(false);
    cmdselectready->setEnabled(false);
    cmdexitgradentry->setEnabled(false);
    shell_.setStepEnabled(Step::EditGrid, false);
    ownEdit_ = true;
    session_.start(quantities);
    ownEdit_ = false;
    keepEdits();
    showWalk();
}

// ---- Walking through categories, grade numbers and students --------------

GradeEntryWindow::~GradeEntryWindow() {
    state_.classDocument.removeListener(this);
    platform_.history.setPaused(false);
}

void GradeEntryWindow::classChanged(const ClassChange& change) {
    if (change.reset || ownEdit_ || !change.edit || session_.phase() != Phase::Entering)
        return;
    session_.follow(*change.edit);
    showWalk();
}

void GradeEntryWindow::keepEdits() {
    for (ClassEdit& edit : session_.takeEdits())
        platform_.history.record(state_.classDocument, std::move(edit));
}

// Shows where the walk stands after Continue or a grade: a new category
// turns its label blue; the end of the walk says so.
void GradeEntryWindow::showWalk() {
    if (session_.phase() == Phase::Finished) {
        txtgrade->setText(QStringLiteral("end"));
        txtgrade->setEnabled(false);
        cmdentergrade->setEnabled(false);
        finish();
        return;
    }
    if (session_.category() != shownCategory_) {
        if (shownCategory_ >= 1 && shownCategory_ <= kCategoryCount)
            setTextColour(Label[shownCategory_], QColor(0, 0, 0));
        shownCategory_ = session_.category();
        txtgrade->setEnabled(true);
        txtgrade->setFocus();
        setTextColour(Label[shownCategory_], QColor(0, 0, 255));
    }
    const ClassRecord& record = state_.classRecord();
    lblstudentnumber->setText(QString::number(session_.studentNumber()));
    lblstudname->setText(QString::fromStdString(record.studentNames.at(session_.studentIndex())));
    lblgradetotal->setText(QString::number(session_.gradeNumber()));
    speakWalk();
}

// The student, the student number and the grade number are spoken with the
// labels' names; the grade box, which keeps the focus all through the walk,
// says whose grade it asks for, so a screen reader announces each new one.
void GradeEntryWindow::speakWalk() {
    // Outside the walk the labels hold placeholders ("student name", 0).
    const bool entering = session_.phase() == Phase::Entering && state_.classDocument.isOpen();
    auto named = [entering](QLabel* label, const QString& name) {
        setSpokenName(label, entering && !label->text().isEmpty()
                                 ? name + QLatin1Char(' ') + label->text()
                                 : name);
    };
    named(lblstudname, QStringLiteral("Student name"));
    named(lblstudentnumber, QStringLiteral("Student number"));
    named(lblgradetotal, QStringLiteral("Grade number"));
    QString asked;
    if (entering) {
        const int category = session_.category();
        asked = QString::fromStdString(kCategoryNames[category]) + QStringLiteral(" grade ") +
                QString::number(session_.gradeNumber()) + QStringLiteral(" for ") +
                lblstudname->text() + QStringLiteral(", student ") +
                QString::number(session_.studentNumber()) + QStringLiteral(" of ") +
                QString::number(state_.classRecord().studentCount);
    }
    setSpokenDescription(txtgrade, asked);
}

void GradeEntryWindow::finish() {
    if (shownCategory_ >= 1 && shownCategory_ <= kCategoryCount)
        setTextColour(Label[shownCategory_], QColor(0, 0, 0));
    shownCategory_ = kCategoryCount + 1;
    lblstudentnumber->setText(QStringLiteral("0"));
    lblstudname->setText(QStringLiteral("0"));
    lblgradetotal->setText(QStringLiteral("0"));
    txtgrade->setText(QStringLiteral("end"));
    cmdexitgradentry->setEnabled(true);
    shell_.setStepEnabled(Step::EditGrid, true);
    speakWalk();
    cmdexitgradentry->setFocus();
}

void GradeEntryWindow::OneClassGrade() {
    ownEdit_ = true;
    session_.enter(Value(txtgrade->text().toStdString()), true);
    ownEdit_ = false;
    keepEdits();
    txtgrade->clear();
}

void GradeEntryWindow::gradeTextChanged(const QString& text) {
    // While a grade is being typed, Ctrl+Z belongs to the box.
    platform_.history.setPaused(!text.isEmpty() && text != QLatin1String("end"));
    bool valid = isGradeText(text);
    cmdentergrade->setEnabled(valid);
    enterIsDefault_ = valid;
    cmdentergrade->setDefault(valid);
}

void GradeEntryWindow::enterClicked() {
    // A class emptied meanwhile has no cells to take the grade.
    if (session_.phase() != Phase::Entering || !isGradeText(txtgrade->text()) ||
        !state_.classDocument.isOpen())
        return;
    if (Check1->isChecked()) {
        // The whole class has this grade number: go on to the next one.
        OneClassGrade();
    } else {
        ownEdit_ = true;
        session_.enter(Value(txtgrade->text().toStdString()), false);
        ownEdit_ = false;
        keepEdits();
        txtgrade->clear();
    }
    if (session_.phase() == Phase::Finished) {
        showWalk();
        lblstudentnumber->clear();
        lblstudname->setText(QStringLiteral("student name"));
        lblgradetotal->clear();
        txtgrade->setText(QStringLiteral("end"));
        cmdexitgradentry->setEnabled(true);
        speakWalk();
        return;
    }
    showWalk();
    txtgrade->setFocus();
}

// ---- Leaving -------------------------------------------------------------

void GradeEntryWindow::closeClicked() {
    shell_.returnToEditGrid(Step::GradeEntry);
    close();
}

void GradeEntryWindow::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    closed_ = true;
    // Columns reserved but never filled would count as zeros for everyone
    // not yet reached; they are excused instead and the teacher is told.
    ownEdit_ = true;
    int marked = session_.excuseUnfilled();
    ownEdit_ = false;
    keepEdits();
    platform_.history.setPaused(false);
    if (marked > 0) {
        QString count = marked == 1 ? QStringLiteral("1 grade was")
                                    : QString::number(marked) + QStringLiteral(" grades were");
        platform_.messages.show(
            QStringLiteral("Grade entry was closed before every grade was entered.\n") + count +
                QStringLiteral(" not entered and marked x (excused).\n"
                               "Change them in the grade book once they are known."),
            QStringLiteral("Grade Entry"), MessageStyle::OkInformation);
    }
    setShellCommandsEnabled(true);
    shell_.setStepEnabled(Step::EditGrid, true);
    shell_.returnToEditGrid(Step::GradeEntry);
    event->accept();
}

} // namespace tallyro
