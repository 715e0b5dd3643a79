#include "support/scriptedplatform.h"

#include <QWidget>

namespace tallyro::test {

MessageButton ScriptedMessageBox::show(const QString& text, const QString& title,
                                       MessageStyle style) {
    shown.push_back({text, title, static_cast<int>(style)});
    if (!answers_.empty()) {
        MessageButton button = answers_.front();
        answers_.pop_front();
        return button;
    }
    ++unscripted;
    switch (style) {
    case MessageStyle::YesNoCancelQuestion:
        return MessageButton::Yes;
    case MessageStyle::OkCancelCriticalNoDefault:
        return MessageButton::Cancel;
    default:
        return MessageButton::Ok;
    }
}

std::optional<QString> ScriptedInputBox::ask(const QString& prompt, const QString& title,
                                             const QString& defaultAnswer) {
    asked.push_back({prompt, title, defaultAnswer});
    if (answers_.empty())
        return std::nullopt;
    auto reply = answers_.front();
    answers_.pop_front();
    return reply;
}

QString ScriptedFileDialog::ask(bool save) {
    shown.push_back({title(), flags(), fileName(), filter(), save});
    if (answers_.empty())
        return QString();
    QString path = answers_.front();
    answers_.pop_front();
    return path;
}

void RecordingShell::showChild(QWidget* window) {
    children.push_back(window);
    window->show();
}

} // namespace tallyro::test
