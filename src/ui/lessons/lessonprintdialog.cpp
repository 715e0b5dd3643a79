#include "ui/lessons/lessonprintdialog.h"

#include "ui/lessons/lessonprinting.h"
#include "ui/platform/controls.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tallyro {

namespace {

QString weekLabel() {
    return QStringLiteral("Week of : (Monday)");
}

} // namespace

LessonPrintDialog::LessonPrintDialog(AppState& state, MessageBox& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(&messages) {
    buildControls();
}

LessonPrintDialog::~LessonPrintDialog() = default;

void LessonPrintDialog::buildControls() {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Print"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) |
                   Qt::MSWindowsFixedSizeDialogHint);

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    optweek = new QRadioButton(QStringLiteral("Full Week"), Frame1);
    optweek->setObjectName(QStringLiteral("optweek"));
    optweek->setAccessibleName(QStringLiteral("Full Week"));
    optweek->setChecked(true);
    optday = new QRadioButton(QStringLiteral("Current Day"), Frame1);
    optday->setObjectName(QStringLiteral("optday"));
    optday->setAccessibleName(QStringLiteral("Current Day"));

    Label1 = new QLabel(weekLabel(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Date"));
    Text1->setMaxLength(10);
    Text1->setFixedWidth(Text1->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                         12);
    Label1->setBuddy(Text1);
    Label2 = new QLabel(QStringLiteral("mm/dd/yyyy"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Print"));

    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(optweek);
    options->addWidget(optday);
    auto* date = new QGridLayout;
    date->addWidget(Label1, 0, 0, 1, 2);
    date->addWidget(Text1, 1, 0);
    date->addWidget(Label2, 1, 1);
    date->setColumnStretch(2, 1);
    QVBoxLayout* buttons = buttonColumn(Command1, Command2);
    auto* left = new QVBoxLayout;
    left->addWidget(Frame1);
    left->addLayout(date);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Toggled, not clicked: the arrow keys choose an option too.
    connect(optday, &QRadioButton::toggled, this, [this] {
        showRange();
        // A date the teacher has not touched follows the choice: the
        // week's Monday, or today.
        if (!Text1->isModified())
            Text1->setText(QString::fromStdString(proposedDate(chosenRange()).slashed()));
    });
    connect(Command1, &QPushButton::clicked, this, &LessonPrintDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    restart();
}

PrintDate LessonPrintDialog::proposedDate(LessonPrintRange range) {
    PrintDate today = PrintDate::today();
    return range == LessonPrintRange::FullWeek ? mondayOfWeek(today) : today;
}

LessonPrintRange LessonPrintDialog::chosenRange() const {
    return optweek->isChecked() ? LessonPrintRange::FullWeek : LessonPrintRange::CurrentDay;
}

// The caption keeps the day's access-key marker, so the label's letter takes
// the teacher to the date box.
void LessonPrintDialog::showRange() {
    Label1->setText(optweek->isChecked() ? weekLabel()
                                         : QString::fromStdString(state_.currentDayCaption) +
                                               QStringLiteral("'s Date :"));
}

void LessonPrintDialog::restart() {
    showRange();
    Text1->setText(QString::fromStdString(proposedDate(chosenRange()).slashed()));
    Text1->selectAll();
    Text1->setFocus();
}

void LessonPrintDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Text1->setFocus();
}

void LessonPrintDialog::accept() {
    if (!PrintDate::parse(Text1->text().toStdString())) {
        messages_->show(notADateMessage(Text1->text()), windowTitle(), MessageStyle::OkExclamation);
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->selectAll();
        return;
    }
    state_.printDate = Text1->text().toStdString();
    state_.printRange = chosenRange();
    QDialog::accept();
    emit printChosen();
}

} // namespace tallyro
