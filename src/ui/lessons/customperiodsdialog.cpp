#include "ui/lessons/customperiodsdialog.h"

#include "core/lessons/lessonplan.h"
#include "ui/platform/controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace tallyro {

namespace {

// A period name goes into the lesson file between double quotes, so a typed
// or pasted double quote is dropped from the name.
class NoDoubleQuoteValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        int before = input.left(pos).count(QLatin1Char('"'));
        if (before > 0 || input.contains(QLatin1Char('"'))) {
            input.remove(QLatin1Char('"'));
            pos -= before;
        }
        return Acceptable;
    }
};

QString periodCaption(int period) {
    return QStringLiteral("Period %1").arg(period + 1);
}

} // namespace

CustomPeriodsDialog::CustomPeriodsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("form12"));
    setWindowTitle(QStringLiteral("Custom"));

    Label2 = new QLabel(QStringLiteral("Period:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(10);
    Text1->setValidator(new NoDoubleQuoteValidator(Text1));
    Text1->setMinimumWidth(Text1->fontMetrics().averageCharWidth() * 16);
    Label2->setBuddy(Text1);
    Label1 = new QLabel(QStringLiteral("(10) characters only"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));
    connect(Command1, &QPushButton::clicked, this, &CustomPeriodsDialog::takeName);
    connect(Command2, &QPushButton::clicked, this, &CustomPeriodsDialog::cancelPressed);

    QVBoxLayout* buttons = buttonColumn(Command1, Command2);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Text1, 1, 0);
    grid->addWidget(Label1, 2, 0);
    grid->addLayout(buttons, 0, 1, 4, 1);
    grid->setRowStretch(3, 1);
    restart();
}

void CustomPeriodsDialog::restart() {
    names_.clear();
    Label2->setText(periodCaption(0));
    Text1->setAccessibleName(periodCaption(0));
    Text1->clear();
}

void CustomPeriodsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    restart();
    Text1->setFocus(Qt::OtherFocusReason);
}

void CustomPeriodsDialog::takeName() {
    int period = names_.size();
    if (period >= kPeriodCount)
        return;
    if (Text1->text().isEmpty())
        Text1->setText(periodCaption(period));
    names_ << Text1->text();
    if (names_.size() >= kPeriodCount) {
        emit allNamed();
        return;
    }
    Label2->setText(periodCaption(names_.size()));
    Text1->setAccessibleName(periodCaption(names_.size()));
    Text1->clear();
    Text1->setFocus(Qt::OtherFocusReason);
}

// Escape and the window's close box mean "&Cancel".
void CustomPeriodsDialog::reject() {
    emit cancelPressed();
}

} // namespace tallyro
