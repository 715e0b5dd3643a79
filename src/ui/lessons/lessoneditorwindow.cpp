#include "ui/lessons/lessoneditorwindow.h"

#include "core/lessons/lessonfile.h"
#include "ui/lessons/lessonsave.h"
#include "ui/lessons/plantextbox.h"
#include "ui/platform/controls.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace tallyro {

namespace {

// The access keys clash with nothing the main window's menu bar (&File,
// &Edit, &Options, &Help) or the editor's "&Clear" uses.
const char* const kDayCaptions[kDayCount] = {"&Monday", "&Tuesday", "&Wednesday", "Thu&rsday",
                                             "Fr&iday"};
const char* const kDayNames[kDayCount] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};

// Layout of the editor in twips: the period column and the plan boxes.
constexpr int kButtonWidthTwips = 1455;
constexpr int kRowHeightTwips = 330;
constexpr int kRowStepTwips = 480;
constexpr int kBoxWidthTwips = 7335;
// Blank room round the editor's controls, in pixels.
constexpr int kMargin = 8;
// A plan holds at most 180 characters: a box taller than this many lines
// would stand mostly empty.
constexpr int kMostLinesPerBox = 6;
// A box this many lines high has room for a scroll bar of its own.
constexpr int kLinesForScrollBar = 3;

// A period name is shown as typed; a "&" in it is not an access key.
QString buttonCaption(const std::string& name) {
    return QString::fromStdString(name).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

LessonEditorWindow::LessonEditorWindow(AppState& state, Platform& platform, Shell& shell,
                                       QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName(QStringLiteral("Form2"));
    // A borderless page of the work area, like the roster editor: the title
    // is on show nowhere, but a screen reader names the editor and its frame
    // in the work area by it.
    setWindowTitle(QStringLiteral("Lesson Plans"));
    setAccessibleName(QStringLiteral("Lesson Plans"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    buildControls();
    computeMetrics();
    loadPlan();
    state_.lessonDocument.addListener(this);
    markPeriod(0);
    setMinimumSize(sizeHint());
    resize(sizeHint());
}

int LessonEditorWindow::twipsToPixels(int twips) const {
    return static_cast<int>(std::lround(twips * logicalDpiY() / 1440.0));
}

void LessonEditorWindow::buildControls() {
    cmdclear = namedButton(this, QStringLiteral("cmdclear"), QStringLiteral("&Clear"));
    cmdclear->setToolTip(QStringLiteral("Start a new week"));
    connect(cmdclear, &QPushButton::clicked, this, &LessonEditorWindow::clearWeek);

    for (int p = 0; p < kPeriodCount; ++p) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command_%1").arg(p));
        button->setAutoDefault(false);
        connect(button, &QPushButton::pressed, this, [this, p] { onPeriodPressed(p); });
        connect(button, &QPushButton::released, this, [this] { focusBox(currentBox_); });
        connect(button, &QPushButton::clicked, this, &LessonEditorWindow::onPeriodClicked);
        Command[p] = button;
    }

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setAccessibleName(QStringLiteral("Day"));
    for (int d = 0; d < kDayCount; ++d) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("day_%1").arg(d));
        page->installEventFilter(this);
        for (int p = 0; p < kPeriodCount; ++p) {
            int index = LessonPlan::lessonIndex(d, p);
            auto* box = new PlanTextBox(page);
            box->setObjectName(QStringLiteral("Text_%1").arg(index));
            connect(box, &PlanTextBox::focused, this, [this, index] { onBoxFocused(index); });
            connect(box, &PlanTextBox::edited, this, [this, index] { onBoxEdited(index); });
            connect(box, &PlanTextBox::pageKeyReleased, this, &LessonEditorWindow::onPageKey);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            Text[index] = box;
        }
        SSTab1->addTab(page, QString::fromLatin1(kDayCaptions[d]));
    }
    connect(SSTab1, &QTabWidget::currentChanged, this, &LessonEditorWindow::onDayChanged);

    // Printing goes through this button (File > Print presses it), but the
    // teacher has no use for it: it is not on show.
    Command1 = windowButton(this, QStringLiteral("Command1"), QStringLiteral("Command1"));
    Command1->setFocusPolicy(Qt::NoFocus);
    Command1->setVisible(false);
    connect(Command1, &QPushButton::clicked, this, &LessonEditorWindow::printRequested);
}

// The twips sizes give the smallest proportions; the boxes grow to fit one
// line of today's fonts, and an enlarged box covers exactly the box below it.
void LessonEditorWindow::computeMetrics() {
    oneLineHeight_ = std::max(twipsToPixels(kRowHeightTwips), Text[0]->heightForLines(1));
    rowGap_ = std::max(twipsToPixels(kRowStepTwips - kRowHeightTwips),
                       oneLineHeight_ * (kRowStepTwips - kRowHeightTwips) / kRowHeightTwips);
    pagePadding_ = std::max(6, rowGap_);
    linesPerBox_ = 1;
    rowHeight_ = oneLineHeight_;
    rowStep_ = rowHeight_ + rowGap_;
    expandedHeight_ = rowStep_ + rowHeight_;

    QFontMetrics buttonFont(Command[0]->font());
    buttonWidth_ = std::max({twipsToPixels(kButtonWidthTwips),
                             buttonFont.horizontalAdvance(QStringLiteral("Period 10")) + 28,
                             buttonFont.averageCharWidth() * 12 + 16});
}

// The smallest editor: one-line boxes, the rows at their closest, and room
// below the tenth box for it to be enlarged.
QSize LessonEditorWindow::sizeHint() const {
    int tabBar = SSTab1->tabBar()->sizeHint().height();
    int pageHeight = 2 * pagePadding_ + kPeriodCount * (oneLineHeight_ + rowGap_) + oneLineHeight_;
    int boxWidth = std::max(twipsToPixels(kBoxWidthTwips), 560);
    int width = kMargin + buttonWidth_ + kMargin + boxWidth + 2 * pagePadding_ + 4 + kMargin;
    int height = kMargin + tabBar + pageHeight + 4 + kMargin;
    return {width, height};
}

void LessonEditorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int left = kMargin + buttonWidth_ + kMargin;
    SSTab1->setGeometry(left, kMargin, width() - left - kMargin, height() - 2 * kMargin);
    layoutRows();
}

// The tab control sizes only the page on show; each page is laid out again
// as it is shown or resized.
bool LessonEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
        watched == SSTab1->currentWidget())
        layoutRows();
    return QWidget::eventFilter(watched, event);
}

// The rows spread over the page's height: each box shows as many whole lines
// as fit (the box of the tenth period keeps room below it to be enlarged),
// and each period button stands level with its row on every day's page.
void LessonEditorWindow::layoutRows() {
    if (!SSTab1)
        return;
    QWidget* page = SSTab1->currentWidget();
    int room = page->height() - 2 * pagePadding_;
    auto fits = [&](int lines) {
        int box = std::max(oneLineHeight_, Text[0]->heightForLines(lines));
        return kPeriodCount * (box + rowGap_) + box <= room;
    };
    linesPerBox_ = 1;
    while (linesPerBox_ < kMostLinesPerBox && fits(linesPerBox_ + 1))
        ++linesPerBox_;
    rowHeight_ = std::max(oneLineHeight_, Text[0]->heightForLines(linesPerBox_));
    // What is left over goes between the rows, up to one more gap.
    rowStep_ = std::clamp((room - rowHeight_) / kPeriodCount, rowHeight_ + rowGap_,
                          rowHeight_ + 2 * rowGap_);
    expandedHeight_ = rowStep_ + rowHeight_;

    for (int i = 0; i < kLessonCount; ++i)
        placeBox(i);

    int pageTop = page->mapTo(this, QPoint(0, 0)).y();
    if (page->geometry().isEmpty() || pageTop <= 0)
        pageTop = SSTab1->y() + SSTab1->tabBar()->sizeHint().height() + 2;
    // The buttons keep their own height, level with the first line of a box.
    int buttonHeight =
        std::min(std::max(oneLineHeight_, Command[0]->sizeHint().height() - 4), rowStep_ - 2);
    int centre = (oneLineHeight_ - buttonHeight) / 2;
    for (int p = 0; p < kPeriodCount; ++p)
        Command[p]->setGeometry(kMargin, pageTop + pagePadding_ + p * rowStep_ + centre,
                                buttonWidth_, buttonHeight);
    int tabBarHeight = SSTab1->tabBar()->sizeHint().height();
    int clearHeight =
        std::min(cmdclear->sizeHint().height(), std::max(tabBarHeight, oneLineHeight_));
    cmdclear->setGeometry(kMargin, SSTab1->y() + (tabBarHeight - clearHeight) / 2, buttonWidth_,
                          clearHeight);
}

void LessonEditorWindow::placeBox(int index) {
    QWidget* page = SSTab1->currentWidget();
    int width = std::max(40, page->width() - 2 * pagePadding_);
    int height = enlarged_[index] ? expandedHeight_ : rowHeight_;
    PlanTextBox* box = Text[index];
    box->setGeometry(pagePadding_, pagePadding_ + (index % kPeriodCount) * rowStep_, width, height);
    // A box with room for a scroll bar shows one when its plan does not fit;
    // a smaller one shows an ellipsis instead.
    box->setVerticalScrollBarPolicy(height >= box->heightForLines(kLinesForScrollBar)
                                        ? Qt::ScrollBarAsNeeded
                                        : Qt::ScrollBarAlwaysOff);
    if (enlarged_[index])
        box->raise();
}

void LessonEditorWindow::loadPlan() {
    loading_ = true;
    for (int p = 0; p < kPeriodCount; ++p) {
        std::string name = p < static_cast<int>(state_.lessonPlan().periodNames.size())
                               ? state_.lessonPlan().periodNames[p]
                               : std::string();
        Command[p]->setText(buttonCaption(name));
        Command[p]->setAccessibleName(QString::fromStdString(name));
        Command[p]->setToolTip(QString::fromStdString(name));
        for (int d = 0; d < kDayCount; ++d) {
            Text[LessonPlan::lessonIndex(d, p)]->setAccessibleName(QStringLiteral("%1 %2").arg(
                QLatin1String(kDayNames[d]), QString::fromStdString(name)));
        }
    }
    for (int i = 0; i < kLessonCount; ++i) {
        std::string text = i < static_cast<int>(state_.lessonPlan().lessonTexts.size())
                               ? state_.lessonPlan().lessonTexts[i]
                               : std::string();
        Text[i]->setPlanText(QString::fromStdString(text));
    }
    loading_ = false;
}

void LessonEditorWindow::pressPrint() {
    Command1->click();
}

LessonEditorWindow::~LessonEditorWindow() {
    state_.lessonDocument.removeListener(this);
}

// An edit undone or redone shows in its box at once.
void LessonEditorWindow::lessonsChanged(const LessonChange& change) {
    if (ownEdit_)
        return;
    if (change.reset) {
        if (state_.lessonDocument.isOpen())
            loadPlan();
        return;
    }
    loading_ = true;
    for (const LessonTextChange& text : change.edit->changes)
        if (text.index >= 0 && text.index < kLessonCount)
            Text[text.index]->setPlanText(
                QString::fromStdString(state_.lessonPlan().lessonTexts[text.index]));
    loading_ = false;
}

void LessonEditorWindow::activate() {
    for (int p = 0; p < kPeriodCount; ++p) {
        std::string name = p < static_cast<int>(state_.lessonPlan().periodNames.size())
                               ? state_.lessonPlan().periodNames[p]
                               : std::string();
        Command[p]->setText(buttonCaption(name));
    }
    expandedBox_ = -1;
    highlightedPeriod_ = 0;
    if (SSTab1->currentIndex() != 0)
        SSTab1->setCurrentIndex(0);
    else
        onDayChanged(0);
    markPeriod(0);
    focusBox(0);
}

QString LessonEditorWindow::dayName(int day) {
    return day >= 0 && day < kDayCount ? QString::fromLatin1(kDayNames[day]) : QString();
}

int LessonEditorWindow::currentDay() const {
    return SSTab1->currentIndex();
}

void LessonEditorWindow::showDay(int day) {
    if (day >= 0 && day < kDayCount)
        SSTab1->setCurrentIndex(day);
}

void LessonEditorWindow::onDayChanged(int day) {
    if (day < 0)
        return;
    state_.currentDayCaption = SSTab1->tabText(day).toStdString();
    markPeriod(0);
    focusBox(LessonPlan::lessonIndex(day, 0));
    // A box left enlarged keeps its height; the next period click sees none.
    expandedBox_ = -1;
}

void LessonEditorWindow::onBoxFocused(int index) {
    // Typing in another box, or again in this one, is a new undo step.
    platform_.history.endTyping();
    currentBox_ = index;
    markPeriod(index % kPeriodCount);
}

void LessonEditorWindow::onBoxEdited(int index) {
    if (loading_)
        return;
    if (index >= static_cast<int>(state_.lessonPlan().lessonTexts.size()))
        return;
    ownEdit_ = true;
    LessonEdit edit =
        state_.lessonDocument.setLessonText(index, Text[index]->toPlainText().toStdString());
    ownEdit_ = false;
    platform_.history.record(state_.lessonDocument, std::move(edit), true);
}

void LessonEditorWindow::onPageKey(int key) {
    int day = currentDay();
    if (key == Qt::Key_PageUp && day < kDayCount - 1)
        showDay(day + 1);
    else if (key == Qt::Key_PageDown && day > 0)
        showDay(day - 1);
}

void LessonEditorWindow::onPeriodPressed(int period) {
    markPeriod(period);
    currentBox_ = LessonPlan::lessonIndex(currentDay(), period);
}

void LessonEditorWindow::onPeriodClicked() {
    int current = currentBox_;
    if (expandedBox_ == current) {
        setEnlarged(current, false);
        expandedBox_ = -1;
    } else {
        if (expandedBox_ >= 0)
            setEnlarged(expandedBox_, false);
        setEnlarged(current, true);
        expandedBox_ = current;
    }
    focusBox(current);
}

void LessonEditorWindow::markPeriod(int period) {
    if (period < 0 || period >= kPeriodCount)
        return;
    for (int p = 0; p < kPeriodCount; ++p) {
        bool current = p == period;
        QPushButton* button = Command[p];
        QFont font = button->font();
        if (font.bold() != current) {
            font.setBold(current);
            button->setFont(font);
        }
        QPalette palette = this->palette();
        if (current) {
            QColor mark = palette.color(QPalette::Highlight);
            QColor base = palette.color(QPalette::Button);
            palette.setColor(QPalette::Button, QColor((mark.red() + 2 * base.red()) / 3,
                                                      (mark.green() + 2 * base.green()) / 3,
                                                      (mark.blue() + 2 * base.blue()) / 3));
        }
        button->setPalette(palette);
        button->setAccessibleDescription(current ? QStringLiteral("Current period") : QString());
    }
    highlightedPeriod_ = period;
}

void LessonEditorWindow::focusBox(int index) {
    if (index < 0 || index >= kLessonCount)
        return;
    Text[index]->setFocus(Qt::OtherFocusReason);
    // The focus event does the same, but only in the active window.
    onBoxFocused(index);
}

void LessonEditorWindow::setEnlarged(int index, bool enlarged) {
    enlarged_[index] = enlarged;
    placeBox(index);
}

void LessonEditorWindow::clearWeek() {
    MessageButton answer =
        platform_.messages.show(QStringLiteral("SAVE current file?"), QStringLiteral("Plans"),
                                MessageStyle::YesNoCancelQuestion);
    if (answer == MessageButton::Cancel)
        return;
    // A week that could not be saved is not thrown away.
    if (answer == MessageButton::Yes && !saveLessonFile(state_, platform_))
        return;

    ownEdit_ = true;
    LessonEdit cleared = state_.lessonDocument.clearPlans();
    ownEdit_ = false;
    loadPlan();
    platform_.history.record(state_.lessonDocument, std::move(cleared));
    // The emptied week is a new start: nothing of it is unsaved yet.
    state_.lessonDocument.markSaved();
    platform_.history.markSaved();

    auto reply = platform_.input.ask(QStringLiteral("\n\n\n\nFILE NAME (8 characters max.)"),
                                     QStringLiteral("new file name"), QStringLiteral("untitled"));
    if (!reply || reply->isEmpty())
        return;
    QString name = reply->left(8);
    state_.currentFileName = name.toStdString() + kLessonExtension;
    shell_.setFileCaption(QString::fromStdString(state_.currentFileName));
}

} // namespace tallyro
