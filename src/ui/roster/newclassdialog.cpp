#include "ui/roster/newclassdialog.h"

#include "ui/platform/controls.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tallyro {

NewClassDialog::NewClassDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("form3");
    setWindowTitle("New");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Frame2 = new QGroupBox("Student List", this);
    Frame2->setObjectName("Frame2");
    Option1 = new QRadioButton("New", Frame2);
    Option1->setObjectName("Option1");
    Option1->setChecked(true);
    Option2 = new QRadioButton("Duplicate", Frame2);
    Option2->setObjectName("Option2");
    Check1 = new QCheckBox("Sorted", Frame2);
    Check1->setObjectName("Check1");
    Check1->setChecked(true);
    auto* frameLayout = new QVBoxLayout(Frame2);
    frameLayout->addWidget(Option1);
    frameLayout->addWidget(Option2);
    frameLayout->addSpacing(6);
    frameLayout->addWidget(Check1);

    Label1 = new QLabel("FileName:", this);
    Label1->setObjectName("Label1");
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName("FileName");
    Text1->setMaxLength(15);
    // The name becomes a file in the chosen folder: no folder separators or
    // characters a file name cannot hold.
    Text1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(R"([^\\/:*?"<>|]*)"), Text1));
    Label1->setBuddy(Text1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(Text1, 1);

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));
    QVBoxLayout* buttons = buttonColumn(Command1, Command2);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame2);
    left->addLayout(nameRow);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Text1->setMinimumWidth(fontMetrics().horizontalAdvance(QString(16, u'W')) / 2 + 40);

    // Escape and the window's close control cancel like "&Cancel".
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Check1);
    setTabOrder(Check1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();
}

QString NewClassDialog::fileName() const {
    return Text1->text();
}
void NewClassDialog::setFileName(const QString& name) {
    Text1->setText(name);
}
bool NewClassDialog::duplicate() const {
    return Option2->isChecked();
}
bool NewClassDialog::sorted() const {
    return Check1->isChecked();
}

} // namespace tallyro
