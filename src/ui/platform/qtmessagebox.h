#pragma once

#include "ui/platform/messagebox.h"

#include <QMessageBox>

class QWidget;

namespace tallyro {

// How a message box style code looks on screen: its buttons, icon, the
// button Enter presses and the button Esc presses (none when Esc does nothing).
struct MessageBoxLayout {
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

// Decodes a style code: button set (style & 7), icon (style & 0x70) and
// default button (style & 0x300), as the message texts of the program use them.
MessageBoxLayout messageBoxLayout(MessageStyle style);

// The answer a pressed standard button stands for.
MessageButton messageButtonFor(QMessageBox::StandardButton button);

// Modal message boxes shown with QMessageBox.
class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr);

    MessageButton show(const QString& text, const QString& title, MessageStyle style) override;
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton) override;
    void beep() override;

    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

} // namespace tallyro
