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

const char* const kDayCaptions[kDayCount] = {"&Monday", "&Tuesday", "&Wednesday", "T&hursday",
                                             "&Friday"};
const char* const kDayNames[kDayCount] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};

// Layout of the editor in twips: the period column and the plan boxes.
constexpr int kButtonWidthTwips = 1455;
constexpr int kRowHeightTwips = 330;
constexpr int kRowStepTwips = 480;
constexpr int kBoxWidthTwips = 7335;
constexpr int kPrintButtonWidthTwips = 975;
constexpr int kPrintButtonHeightTwips = 195;

// A period name is shown as typed; a "&" in it is not an access key.
QString buttonCaption(const std::string& name) {
    return QString::fromStdString(name).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

LessonEditorWindow::LessonEditorWindow(AppState& state, Platform& platform, Shell& shell,
                                       QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString());
    // A borderless page of the work area, like the roster editor.
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

    Command1 = windowButton(this, QStringLiteral("Command1"), QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Print the plans"));
    Command1->setFocusPolicy(Qt::NoFocus);
    QFont small = Command1->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.75));
    Command1->setFont(small);
    connect(Command1, &QPushButton::clicked, this, &LessonEditorWindow::printRequested);
}

// The twips sizes give the proportions; the boxes grow to fit one line of
// today's fonts, and an enlarged box covers exactly the box below it.
void LessonEditorWindow::computeMetrics() {
    QFontMetrics boxFont(Text[0]->font());
    int frame = Text[0]->frameWidth();
    int margin = static_cast<int>(std::ceil(Text[0]->document()->documentMargin()));
    rowHeight_ = std::max(twipsToPixels(kRowHeightTwips),
                          boxFont.lineSpacing() + margin + 2 * (frame + PlanTextBox::kLinePadding));
    rowStep_ =
        std::max(twipsToPixels(kRowStepTwips),
                 rowHeight_ + rowHeight_ * (kRowStepTwips - kRowHeightTwips) / kRowHeightTwips);
    expandedHeight_ = rowStep_ + rowHeight_;
    pagePadding_ = std::max(6, rowStep_ - rowHeight_);

    QFontMetrics buttonFont(Command[0]->font());
    buttonWidth_ = std::max({twipsToPixels(kButtonWidthTwips),
                             buttonFont.horizontalAdvance(QStringLiteral("Period 10")) + 28,
                             buttonFont.averageCharWidth() * 12 + 16});
    boxHeights_.fill(rowHeight_);
}

QSize LessonEditorWindow::sizeHint() const {
    int margin = 8;
    int tabBar = SSTab1->tabBar()->sizeHint().height();
    int pageHeight = 2 * pagePadding_ + (kPeriodCount - 1) * rowStep_ + expandedHeight_;
    int boxWidth = std::max(twipsToPixels(kBoxWidthTwips), 560);
    int width = margin + buttonWidth_ + margin + boxWidth + 2 * pagePadding_ + 4 + margin;
    int height = margin + tabBar + pageHeight + 4 + margin;
    return {width, height};
}

void LessonEditorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int margin = 8;
    int left = margin + buttonWidth_ + margin;
    SSTab1->setGeometry(left, margin, width() - left - margin, height() - 2 * margin);
    layoutRows();
}

bool LessonEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        layoutRows();
    return QWidget::eventFilter(watched, event);
}

// Each period button stands level with its row of boxes on every day's page.
void LessonEditorWindow::layoutRows() {
    if (!SSTab1)
        return;
    int margin = 8;
    QWidget* page = SSTab1->widget(0);
    int boxWidth = std::max(40, page->width() - 2 * pagePadding_);
    for (int i = 0; i < kLessonCount; ++i) {
        int p = i % kPeriodCount;
        Text[i]->setGeometry(pagePadding_, pagePadding_ + p * rowStep_, boxWidth, boxHeights_[i]);
    }
    int pageTop = page->mapTo(this, QPoint(0, 0)).y();
    if (page->geometry().isEmpty() || pageTop <= 0)
        pageTop = SSTab1->y() + SSTab1->tabBar()->sizeHint().height() + 2;
    int buttonHeight = std::max(rowHeight_, Command[0]->sizeHint().height() - 4);
    int centre = (rowHeight_ - buttonHeight) / 2;
    for (int p = 0; p < kPeriodCount; ++p)
        Command[p]->setGeometry(margin, pageTop + pagePadding_ + p * rowStep_ + centre,
                                buttonWidth_, buttonHeight);
    int tabBarHeight = SSTab1->tabBar()->sizeHint().height();
    int clearHeight = std::min(cmdclear->sizeHint().height(), std::max(tabBarHeight, rowHeight_));
    cmdclear->setGeometry(margin, SSTab1->y() + (tabBarHeight - clearHeight) / 2, buttonWidth_,
                          clearHeight);
    int printWidth = std::max(twipsToPixels(kPrintButtonWidthTwips),
                              QFontMetrics(Command1->font()).horizontalAdvance("Command1") + 10);
    int printHeight = std::max(twipsToPixels(kPrintButtonHeightTwips),
                               QFontMetrics(Command1->font()).height() + 4);
    Command1->setGeometry(margin, pageTop + pagePadding_ + kPeriodCount * rowStep_, printWidth,
                          printHeight);
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
        setBoxHeight(current, rowHeight_);
        expandedBox_ = -1;
    } else {
        if (expandedBox_ >= 0)
            setBoxHeight(expandedBox_, rowHeight_);
        setBoxHeight(current, expandedHeight_);
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

void LessonEditorWindow::setBoxHeight(int index, int height) {
    boxHeights_[index] = height;
    QRect geometry = Text[index]->geometry();
    geometry.setHeight(height);
    Text[index]->setGeometry(geometry);
    // A one-line box shows the line being typed; an enlarged one scrolls.
    Text[index]->setVerticalScrollBarPolicy(height > rowHeight_ ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    if (height > rowHeight_)
        Text[index]->raise();
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
