#include "ui/lessons/newlessondialog.h"

#include "ui/platform/controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tallyro {

NewLessonDialog::NewLessonDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("New"));

    Frame2 = new QGroupBox(QStringLiteral("Period Type"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    optdefault = new QRadioButton(QStringLiteral("Default"), Frame2);
    optdefault->setObjectName(QStringLiteral("optdefault"));
    optdefault->setChecked(true);
    optcustom = new QRadioButton(QStringLiteral("Custom"), Frame2);
    optcustom->setObjectName(QStringLiteral("optcustom"));
    optduplicate = new QRadioButton(QStringLiteral("Duplicate"), Frame2);
    optduplicate->setObjectName(QStringLiteral("optduplicate"));
    optdefault->setToolTip(QStringLiteral("Periods named Period 1 to Period 10"));
    optcustom->setToolTip(QStringLiteral("Type the ten period names"));
    optduplicate->setToolTip(QStringLiteral("Copy the period names of an existing lesson file"));
    auto* frameLayout = new QVBoxLayout(Frame2);
    frameLayout->addWidget(optdefault);
    frameLayout->addWidget(optcustom);
    frameLayout->addWidget(optduplicate);

    Label1 = new QLabel(QStringLiteral("FileName:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(15);
    Text1->setAccessibleName(QStringLiteral("FileName:"));
    Text1->setPlaceholderText(QStringLiteral("untitled"));
    Label1->setBuddy(Text1);

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));
    connect(Command1, &QPushButton::clicked, this, &NewLessonDialog::okPressed);
    connect(Command2, &QPushButton::clicked, this, &NewLessonDialog::cancelPressed);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(Text1, 1);

    QVBoxLayout* buttons = buttonColumn(Command1, Command2);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->addLayout(nameRow, 0, 0);
    grid->addWidget(Frame2, 1, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    Text1->setMinimumWidth(Text1->fontMetrics().averageCharWidth() * 18);

    setTabOrder(Text1, optdefault);
    setTabOrder(optdefault, optcustom);
    setTabOrder(optcustom, optduplicate);
    setTabOrder(optduplicate, Command1);
    setTabOrder(Command1, Command2);
}

NewLessonDialog::PeriodType NewLessonDialog::periodType() const {
    if (optcustom->isChecked())
        return PeriodType::Custom;
    if (optduplicate->isChecked())
        return PeriodType::Duplicate;
    return PeriodType::Default;
}

QString NewLessonDialog::fileName() const {
    return Text1->text();
}

void NewLessonDialog::setFileName(const QString& name) {
    Text1->setText(name);
}

void NewLessonDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Text1->setFocus(Qt::OtherFocusReason);
}

// Escape and the window's close box mean "&Cancel".
void NewLessonDialog::reject() {
    emit cancelPressed();
}

} // namespace tallyro
