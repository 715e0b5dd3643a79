#pragma once

#include <QPlainTextEdit>

namespace tallyro {

class PlanMoreMark;

// One plan box of the lesson editor: a multi-line box of at most 180
// characters that never holds a double quote, because the lesson file cannot
// store one. Typed and pasted quotes become apostrophes; text beyond the
// limit is refused, whether typed, pasted or dropped. A box too small for its
// plan shows it from the first line, and an ellipsis at its right-hand end
// says that more lines follow.
class PlanTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 180;
    // Blank room round the text, outside the scrolled area, so that the
    // scrolled area holds whole lines only and no piece of a line peeks in.
    static constexpr int kLinePadding = 4;
    static constexpr int kTextIndent = 2;

    explicit PlanTextBox(QWidget* parent = nullptr);

    // Replaces the text without counting as the teacher's edit, shown from
    // its first line.
    void setPlanText(const QString& text);

    // The height of a box that shows exactly `lines` lines of its font.
    int heightForLines(int lines) const;

    // The room kept round the text area, inside the frame: the lines wrap at
    // the width left between.
    QMargins textMargins() const { return viewportMargins(); }

    // Whether lines of the plan are out of sight (above or below) with no
    // scroll bar on show, so that the ellipsis stands at the right.
    bool showsMoreMark() const;

signals:
    // The teacher changed the text (typing, Enter, Backspace, Delete, paste,
    // cut, undo); a program change does not count.
    void edited();
    void focused();
    // Page Up or Page Down was released in the box.
    void pageKeyReleased(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int roomFor() const;
    void enforceRules();
    void showFirstLine();
    void updateMoreMark();

    bool programChange_ = false;
    PlanMoreMark* moreMark_ = nullptr;
};

} // namespace tallyro
