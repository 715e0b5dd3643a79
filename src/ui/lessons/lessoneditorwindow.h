#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace tallyro {

class PlanTextBox;

// The weekly lesson plan editor ("Form2"): ten period buttons down the left,
// one tab per weekday holding that day's ten plan boxes, each level with its
// period button. A period button enlarges its box to show more lines. The
// editor fills the work area: the boxes widen and heighten with it.
class LessonEditorWindow : public QWidget, public ActivatableWindow, public LessonDocumentListener {
    Q_OBJECT
public:
    LessonEditorWindow(AppState& state, Platform& platform, Shell& shell,
                       QWidget* parent = nullptr);
    ~LessonEditorWindow() override;

    void lessonsChanged(const LessonChange& change) override;

    // Period button captions and every box's text from the week in memory.
    void loadPlan();

    // Each time the editor becomes the active window: Monday shown, no box
    // enlarged, the first period marked and its box focused.
    void activate() override;

    // Shows a day (0 Monday .. 4 Friday) as a click on its tab does.
    void showDay(int day);
    int currentDay() const;
    // "Monday" .. "Friday", as the tabs name the days without access keys.
    static QString dayName(int day);

    int currentBox() const { return currentBox_; }

    // Prints as the small print button does.
    void pressPrint();
    int expandedBox() const { return expandedBox_; }
    int highlightedPeriod() const { return highlightedPeriod_; }

    // Starts a new week, as the "&Clear" button does.
    void clearWeek();

    PlanTextBox* box(int index) const { return Text[index]; }
    QPushButton* periodButton(int period) const { return Command[period]; }

    // Box heights, in pixels, of a plain and an enlarged box, as the window's
    // size has them now: the rows spread over the height there is, and a box
    // shows as many whole lines as its row leaves room for.
    int rowHeight() const { return rowHeight_; }
    int expandedHeight() const { return expandedHeight_; }
    int linesPerBox() const { return linesPerBox_; }

    QSize sizeHint() const override;

signals:
    // The "Command1" button, not on show, was pressed: print the plans.
    void printRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void computeMetrics();
    void layoutRows();
    void onDayChanged(int day);
    void onBoxFocused(int index);
    void onBoxEdited(int index);
    void onPageKey(int key);
    void onPeriodPressed(int period);
    void onPeriodClicked();
    void markPeriod(int period);
    void focusBox(int index);
    void setEnlarged(int index, bool enlarged);
    void placeBox(int index);
    int twipsToPixels(int twips) const;

    AppState& state_;
    Platform& platform_;
    Shell& shell_;

    QPushButton* cmdclear = nullptr;
    std::array<QPushButton*, 10> Command{};
    QTabWidget* SSTab1 = nullptr;
    std::array<PlanTextBox*, 50> Text{};
    QPushButton* Command1 = nullptr;

    int currentBox_ = 0;
    int expandedBox_ = -1;
    int highlightedPeriod_ = 0;
    bool loading_ = false;
    bool ownEdit_ = false;

    int oneLineHeight_ = 0;
    int rowGap_ = 0;
    int linesPerBox_ = 1;
    int rowHeight_ = 0;
    int rowStep_ = 0;
    int expandedHeight_ = 0;
    int buttonWidth_ = 0;
    int pagePadding_ = 0;
    // A box enlarged by its period button keeps its height when the day
    // changes; only the next click on its button shrinks it.
    std::array<bool, 50> enlarged_{};
};

} // namespace tallyro
