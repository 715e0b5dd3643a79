#include "ui/lessons/plantextbox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>

namespace tallyro {

namespace {

QString withoutDoubleQuotes(QString text) {
    return text.replace(QLatin1Char('"'), QLatin1Char('\''));
}

} // namespace

PlanTextBox::PlanTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(2);
    // The room above and below the line keeps a one-line box to one line.
    setViewportMargins(0, kLinePadding, 0, kLinePadding);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (programChange_)
            return;
        enforceRules();
        emit edited();
    });
}

void PlanTextBox::setPlanText(const QString& text) {
    programChange_ = true;
    setPlainText(text);
    programChange_ = false;
}

// Characters that may still be added in place of the selection.
int PlanTextBox::roomFor() const {
    int length = document()->characterCount() - 1; // the document's own end mark
    return kMaxLength - length + textCursor().selectedText().size();
}

void PlanTextBox::keyPressEvent(QKeyEvent* event) {
    QString typed = event->text();
    bool isCharacter =
        !typed.isEmpty() && !event->matches(QKeySequence::Paste) &&
        (typed.at(0).isPrint() || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    if (isCharacter && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (typed.size() > roomFor()) {
            event->accept();
            return;
        }
        if (typed.contains(QLatin1Char('"'))) {
            QKeyEvent apostrophe(event->type(), event->key(), event->modifiers(),
                                 withoutDoubleQuotes(typed), event->isAutoRepeat(),
                                 ushort(event->count()));
            QPlainTextEdit::keyPressEvent(&apostrophe);
            event->setAccepted(apostrophe.isAccepted());
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PlanTextBox::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    // One key held down repeats its press but is released once: one day.
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)
        emit pageKeyReleased(event->key());
}

void PlanTextBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit focused();
}

void PlanTextBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    QString text = withoutDoubleQuotes(source->text());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.truncate(std::max(0, roomFor()));
    if (!text.isEmpty() || textCursor().hasSelection())
        textCursor().insertText(text);
    ensureCursorVisible();
}

// Whatever way text arrived (an input method, for one), the box never keeps
// a double quote or more than its limit.
void PlanTextBox::enforceRules() {
    QString text = toPlainText();
    bool hasQuote = text.contains(QLatin1Char('"'));
    if (!hasQuote && text.size() <= kMaxLength)
        return;
    int position = std::min(textCursor().position(), kMaxLength);
    programChange_ = true;
    setPlainText(withoutDoubleQuotes(text).left(kMaxLength));
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
    programChange_ = false;
}

} // namespace tallyro
