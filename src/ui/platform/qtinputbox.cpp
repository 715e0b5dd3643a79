#include "ui/platform/qtinputbox.h"

#include <QApplication>
#include <QInputDialog>

namespace tallyro {

QtInputBox::QtInputBox(QWidget* parent) : parent_(parent) {}

std::optional<QString> QtInputBox::ask(const QString& prompt, const QString& title,
                                       const QString& defaultAnswer) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("inputbox"));
    dialog.setInputMode(QInputDialog::TextInput);
    // A question without a title carries the program's name.
    dialog.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace tallyro
