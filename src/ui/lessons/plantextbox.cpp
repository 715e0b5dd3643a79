#include "ui/lessons/plantextbox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace tallyro {

namespace {

const QChar kEllipsis(0x2026);

QString withoutDoubleQuotes(QString text) {
    return text.replace(QLatin1Char('"'), QLatin1Char('\''));
}

} // namespace

// The ellipsis in the box's right-hand margin, level with the last line on
// show. It takes no clicks: they go to the box under it.
class PlanMoreMark : public QWidget {
public:
    explicit PlanMoreMark(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("moreMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    // Where the last line on show stands, from the top of the mark.
    void setLastLine(int top, int height) {
        if (top == lineTop_ && height == lineHeight_)
            return;
        lineTop_ = top;
        lineHeight_ = height;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, lineTop_, width(), lineHeight_), Qt::AlignHCenter | Qt::AlignTop,
                         QString(kEllipsis));
    }

private:
    int lineTop_ = 0;
    int lineHeight_ = 0;
};

PlanTextBox::PlanTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // A word wider than the box breaks between characters, as the printed
    // lines do; nothing scrolls sideways.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The blank room round the text lies outside the scrolled area, which is
    // a whole number of lines high. The room at the right holds the ellipsis,
    // always kept so that the lines break in the same places whether it
    // shows or not.
    document()->setDocumentMargin(0);
    int markRoom = fontMetrics().horizontalAdvance(kEllipsis) + 2 * kTextIndent;
    setViewportMargins(kTextIndent, kLinePadding, markRoom, kLinePadding);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    moreMark_ = new PlanMoreMark(this);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (programChange_)
            return;
        enforceRules();
        emit edited();
    });
    // Every scroll, edit and relayout repaints the viewport: the mark follows.
    connect(this, &QPlainTextEdit::updateRequest, this, &PlanTextBox::updateMoreMark);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &PlanTextBox::updateMoreMark);
}

void PlanTextBox::setPlanText(const QString& text) {
    programChange_ = true;
    setPlainText(text);
    programChange_ = false;
    showFirstLine();
}

// One pixel more than the lines: the box counts a line as fitting only when
// it leaves a pixel below it, and would otherwise scroll a plan that fits.
int PlanTextBox::heightForLines(int lines) const {
    return std::max(1, lines) * fontMetrics().lineSpacing() + 1 + 2 * (frameWidth() + kLinePadding);
}

bool PlanTextBox::showsMoreMark() const {
    return !moreMark_->isHidden();
}

// Scrolls back to the plan's first line; the cursor stays where it was.
void PlanTextBox::showFirstLine() {
    verticalScrollBar()->setValue(0);
    updateMoreMark();
}

void PlanTextBox::updateMoreMark() {
    if (!moreMark_)
        return;
    QRect area = viewport()->geometry();
    bool above = verticalScrollBar()->value() > 0;
    QRectF last = blockBoundingGeometry(document()->lastBlock()).translated(contentOffset());
    bool below = last.bottom() > area.height() + 0.5;
    bool scrollBarShown =
        verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
        (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded && verticalScrollBar()->maximum() > 0);
    bool show = (above || below) && !scrollBarShown;
    if (show) {
        int lineHeight = fontMetrics().lineSpacing();
        int lines = std::max(1, area.height() / lineHeight);
        moreMark_->setGeometry(area.right() + 1, area.top(), contentsRect().right() - area.right(),
                               area.height());
        moreMark_->setLastLine((lines - 1) * lineHeight, lineHeight);
        moreMark_->raise();
    }
    moreMark_->setVisible(show);
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

// A box the teacher has left shows its plan from the top again, the way the
// other boxes show theirs; a menu or another program taking the focus for a
// moment leaves the view alone.
void PlanTextBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        showFirstLine();
}

void PlanTextBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (!hasFocus())
        showFirstLine();
    else
        updateMoreMark();
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
