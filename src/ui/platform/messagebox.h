#pragma once

#include <QString>

namespace tallyro {

// Message box style codes: button set + icon + default button.
namespace MessageStyle {
inline constexpr int Ok = 0;                          // OK, no icon
inline constexpr int OkCritical = 16;                 // OK, stop icon
inline constexpr int OkCancelCritical = 17;           // OK/Cancel, stop icon
inline constexpr int OkCancelQuestion = 33;           // OK/Cancel, question icon
inline constexpr int YesNoCancelQuestion = 35;        // Yes/No/Cancel, question icon
inline constexpr int OkExclamation = 48;              // OK, exclamation icon
inline constexpr int OkInformation = 64;              // OK, information icon
inline constexpr int OkCancelCriticalNoDefault = 273; // OK/Cancel, stop icon, Cancel default
} // namespace MessageStyle

enum class MessageButton { Ok, Cancel, Yes, No };

// Modal questions and warnings. Every one goes through here, so tests answer
// them by script and no dialog ever blocks a test.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows text (lines joined with "\n") under a title; returns the button.
    virtual MessageButton show(const QString& text, const QString& title, int style) = 0;
    virtual void beep() = 0;
};

// The standard error box: title "Error!", OK, no icon.
inline void showError(MessageBox& box, const QString& text) {
    box.show(text, QStringLiteral("Error!"), MessageStyle::Ok);
}

} // namespace tallyro
