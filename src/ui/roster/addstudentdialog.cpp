#include "ui/roster/addstudentdialog.h"

#include "ui/platform/controls.h"
#include "ui/roster/studentnamevalidator.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyro {

AddStudentDialog::AddStudentDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("addstudent");
    setWindowTitle("Add New Student");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Label1 = new QLabel("Student Name:", this);
    Label1->setObjectName("Label1");
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName("Student Name");
    Text1->setValidator(new StudentNameValidator(Text1));
    Text1->setMinimumWidth(fontMetrics().horizontalAdvance(QString(28, u'n')));
    Label1->setBuddy(Text1);

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setHorizontalSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &AddStudentDialog::okClicked);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    Text1->setFocus();
}

QString AddStudentDialog::studentName() const {
    return Text1->text();
}

void AddStudentDialog::okClicked() {
    // A blank name is refused where it was typed.
    if (Text1->text().trimmed().isEmpty()) {
        Text1->setFocus();
        return;
    }
    accept();
}

} // namespace tallyro
