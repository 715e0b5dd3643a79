#include "ui/platform/qtmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace tallyro {

MessageBoxLayout messageBoxLayout(MessageStyle messageStyle) {
    // The code's parts: buttons in the low bits, icon, then default button.
    const int style = static_cast<int>(messageStyle);
    MessageBoxLayout layout;
    // Only the button sets the program asks with are offered; anything else
    // falls back to a plain OK so that every answer maps onto a MessageButton.
    QList<QMessageBox::StandardButton> order;
    switch (style & 0x7) {
    case 1:
        order = {QMessageBox::Ok, QMessageBox::Cancel};
        layout.escapeButton = QMessageBox::Cancel;
        break;
    case 3:
        order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        layout.escapeButton = QMessageBox::Cancel;
        break;
    case 4:
        // Yes/No offers no way out but the two answers.
        order = {QMessageBox::Yes, QMessageBox::No};
        break;
    default:
        order = {QMessageBox::Ok};
        layout.escapeButton = QMessageBox::Ok;
        break;
    }
    for (auto button : order)
        layout.buttons |= button;

    switch (style & 0x70) {
    case 16:
        layout.icon = QMessageBox::Critical;
        break;
    case 32:
        layout.icon = QMessageBox::Question;
        break;
    case 48:
        layout.icon = QMessageBox::Warning;
        break;
    case 64:
        layout.icon = QMessageBox::Information;
        break;
    default:
        layout.icon = QMessageBox::NoIcon;
        break;
    }

    // The default is the first, second or third button of the set.
    qsizetype defaultIndex = (style & 0x300) >> 8;
    if (defaultIndex >= order.size())
        defaultIndex = 0;
    layout.defaultButton = order[defaultIndex];
    return layout;
}

MessageButton messageButtonFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageButton::Yes;
    case QMessageBox::No:
        return MessageButton::No;
    case QMessageBox::Cancel:
        return MessageButton::Cancel;
    default:
        return MessageButton::Ok;
    }
}

QtMessageBox::QtMessageBox(QWidget* parent) : parent_(parent) {}

MessageButton QtMessageBox::show(const QString& text, const QString& title, MessageStyle style) {
    const MessageBoxLayout layout = messageBoxLayout(style);
    QMessageBox box(layout.icon, title, text, layout.buttons, parent_);
    // Plain text keeps the line feeds of the message and shows any "<" as typed.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(layout.defaultButton);
    if (layout.escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(layout.escapeButton);
    box.setObjectName(QStringLiteral("messagebox"));
    box.exec();

    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) {
        // Closed by the window frame: the way out Esc would take.
        return messageButtonFor(layout.escapeButton != QMessageBox::NoButton
                                    ? layout.escapeButton
                                    : layout.defaultButton);
    }
    return messageButtonFor(box.standardButton(clicked));
}

int QtMessageBox::choose(const QString& text, const QString& title, const QStringList& buttons,
                         int defaultButton) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("messagebox"));
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(
            buttons.at(i), i == defaultButton ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
        added.append(button);
        if (i == defaultButton)
            box.setDefaultButton(button);
    }
    box.exec();
    int chosen = static_cast<int>(added.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : defaultButton;
}

void QtMessageBox::beep() {
    QApplication::beep();
}

} // namespace tallyro
