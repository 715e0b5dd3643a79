#pragma once

#include <QString>
#include <QStringList>

namespace tallyro {

// Message box style codes: button set + icon + default button, with the
// numbers the help pages give.
enum class MessageStyle {
    Ok = 0,                          // OK, no icon
    OkCritical = 16,                 // OK, stop icon
    OkCancelCritical = 17,           // OK/Cancel, stop icon
    OkCancelQuestion = 33,           // OK/Cancel, question icon
    YesNoCancelQuestion = 35,        // Yes/No/Cancel, question icon
    OkExclamation = 48,              // OK, exclamation icon
    OkInformation = 64,              // OK, information icon
    OkCancelCriticalNoDefault = 273, // OK/Cancel, stop icon, Cancel default
};

enum class MessageButton { Ok, Cancel, Yes, No };

// Modal questions and warnings. Every one goes through here, so tests answer
// them by script and no dialog ever blocks a test.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows text (lines joined with "\n") under a title; returns the button.
    virtual MessageButton show(const QString& text, const QString& title, MessageStyle style) = 0;
    // A question with buttons of its own ("&Recover", "&Discard"); returns
    // the index of the button chosen, the default one when the box is closed.
    virtual int choose(const QString& text, const QString& title, const QStringList& buttons,
                       int defaultButton) {
        (void)text, (void)title, (void)buttons;
        return defaultButton;
    }
    virtual void beep() = 0;
};

// The standard error box: title "Error!", OK, no icon.
inline void showError(MessageBox& box, const QString& text) {
    box.show(text, QStringLiteral("Error!"), MessageStyle::Ok);
}

} // namespace tallyro
