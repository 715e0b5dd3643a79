#pragma once

#include <QPlainTextEdit>

namespace tallyro {

// One plan box of the lesson editor: a multi-line box of at most 180
// characters that never holds a double quote, because the lesson file cannot
// store one. Typed and pasted quotes become apostrophes; text beyond the
// limit is refused, whether typed, pasted or dropped.
class PlanTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 180;
    // Blank room above and below the text, outside the scrolled area.
    static constexpr int kLinePadding = 3;

    explicit PlanTextBox(QWidget* parent = nullptr);

    // Replaces the text without counting as the teacher's edit.
    void setPlanText(const QString& text);

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
    void insertFromMimeData(const QMimeData* source) override;

private:
    int roomFor() const;
    void enforceRules();

    bool programChange_ = false;
};

} // namespace tallyro
