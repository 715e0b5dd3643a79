#include "ui/gradebook/gradebookwindow.h"

#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"
#include "core/gradebook/faillimit.h"
#include "ui/platform/automationids.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tallyro {

namespace {

constexpr int kRowHeight = 22;
constexpr int kScoreColumns = kMaxGradesPerCategory;
// Large text (14 points bold) needs 3:1 against its background: the Part's
// red on white reaches 4:1, on the window's grey only 3.48:1.
constexpr qreal kGrandAveragePoints = 14;

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kWarning(160, 0, 0);

void setBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

// A grid as the grade book uses it: the arrow keys move between cells, Tab
// and Shift+Tab leave it for the next control, and Enter or F2 asks for the
// current cell to be edited.
class GradeGrid : public QTableWidget {
public:
    GradeGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
        setTabKeyNavigation(false);
    }

    std::function<void()> editRequested;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        bool editKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_F2;
        if (plain && editKey && editRequested) {
            if (currentIndex().isValid())
                editRequested();
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        // The current cell is what the focus frame marks and a screen reader
        // reads: a grid reached by Tab always has one.
        if (!currentIndex().isValid() && rowCount() > 0 && columnCount() > 0)
            selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
        QTableWidget::focusInEvent(event);
    }
};

GradeGrid* makeGrid(QWidget* parent, const char* name, const QString& accessibleName, int rows,
                    int columns, int columnWidth) {
    auto* grid = new GradeGrid(rows, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(accessibleName);
    // The category names stand beside the grids as labels; the rows carry
    // them too, hidden, so that a screen reader names the row of a cell.
    for (int r = 0; r < rows; ++r)
        grid->setVerticalHeaderItem(
            r, new QTableWidgetItem(QString::fromStdString(kCategoryNames[r + 1])));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid->horizontalHeader()->setFixedHeight(kRowHeight);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setWordWrap(false);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            grid->setItem(r, c, item);
        }
    }
    return grid;
}

bool isFocusable(const QWidget* widget, const QWidget* window) {
    return widget && widget != window && window->isAncestorOf(widget) && widget->isEnabled() &&
           widget->isVisibleTo(window) && (widget->focusPolicy() & Qt::TabFocus) &&
           !widget->focusProxy();
}

} // namespace

FailLimitBox::FailLimitBox(QWidget* parent) : QDoubleSpinBox(parent) {
    setRange(0, 100);
    setSingleStep(0.1);
    // Enough places that a typed or stored limit keeps its digits; the text
    // shown is the shortest one, so 70 reads 70 and not 70.0000000000.
    setDecimals(10);
    setKeyboardTracking(false);
    setAccelerated(false);
    setAlignment(Qt::AlignCenter);
}

QString FailLimitBox::textFromValue(double value) const {
    return QString::fromStdString(formatNumber(value));
}

double FailLimitBox::valueFromText(const QString& text) const {
    return parseNumber(text.trimmed().toStdString()).value_or(value());
}

QValidator::State FailLimitBox::validate(QString& text, int& position) const {
    (void)position;
    QString typed = text.trimmed();
    if (typed.isEmpty() || typed == QLatin1String("."))
        return QValidator::Intermediate;
    for (QChar c : typed)
        if (!c.isDigit() && c != QLatin1Char('.'))
            return QValidator::Invalid;
    if (typed.count(QLatin1Char('.')) > 1)
        return QValidator::Invalid;
    auto number = parseNumber(typed.toStdString());
    if (!number)
        return QValidator::Intermediate;
    return *number <= maximum() ? QValidator::Acceptable : QValidator::Invalid;
}

void FailLimitBox::fixup(QString& text) const {
    // A box left half typed shows the limit it had.
    text = textFromValue(value());
}

GradeBookWindow::GradeBookWindow(AppState& state, Platform& platform, Shell& shell, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName(QStringLiteral("frmlistbox"));
    setWindowTitle(QStringLiteral("Edit Grid"));
    buildControls();
    buildLayout();

    // The window opens in Decimal mode, and the printed lists follow it.
    Option1->setChecked(true);
    state_.averageMode = AverageMode::Decimal;
    returnToIdle();
    state_.classDocument.addListener(this);
}

GradeBookWindow::~GradeBookWindow() {
    state_.classDocument.removeListener(this);
    platform_.history.setPaused(false);
}

// An edit undone or redone, or made by another window, shows at once; the
// window's own edits refresh as they go.
void GradeBookWindow::classChanged(const ClassChange& change) {
    if (change.reset || ownEdit_ || !hasClass())
        return;
    bool wasEditing = editMode_ != EditMode::Idle;
    if (wasEditing)
        returnToIdle();
    showWeights();
    refresh();
    if (wasEditing)
        focusAfterEdit();
}

void GradeBookWindow::buildControls() {
    auto* weights = makeGrid(this, "grdweight", QStringLiteral("Weights"), kCategoryCount, 1, 44);
    auto* scores =
        makeGrid(this, "grdscores", QStringLiteral("Scores"), kCategoryCount, kScoreColumns, 34);
    auto* averages =
        makeGrid(this, "grdaverage", QStringLiteral("Averages"), kCategoryCount, 1, 58);
    weights->editRequested = [this] { editCurrentCell(grdweight); };
    scores->editRequested = [this] { editCurrentCell(grdscores); };
    grdweight = weights;
    grdscores = scores;
    grdaverage = averages;
    grdscores->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The label "avg." stands above the averages instead of a heading row;
    // the hidden heading still names the column for a screen reader.
    grdaverage->horizontalHeader()->hide();
    grdaverage->setSelectionMode(QAbstractItemView::NoSelection);
    grdaverage->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("avg.")));
    grdweight->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("%")));
    for (int c = 0; c < kScoreColumns; ++c)
        grdscores->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::number(c + 1)));

    for (int i = 0; i < kCategoryCount; ++i) {
        auto* label = new QLabel(QString::fromStdString(kCategoryNames[i + 1]), this);
        label->setObjectName(QStringLiteral("Label20"));
        label->setProperty("index", i);
        label->setFixedHeight(kRowHeight);
        label->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
        label->setAutoFillBackground(false);
        Label20[i] = label;
    }

    Label4 = namedLabel(this, "Label4", QStringLiteral("Grade Category"));
    Label3 = namedLabel(this, "Label3", QStringLiteral("avg."));
    lblweighttotal = namedLabel(this, "lblweighttotal", QString());
    lblweighttotal->setAccessibleName(QStringLiteral("Weight total"));
    lblweighttotal->setAlignment(Qt::AlignCenter);
    lblweighttotal->setFrameShape(QFrame::Panel);
    lblweighttotal->setFrameShadow(QFrame::Sunken);
    lblweightwarning = namedLabel(this, "lblweightwarning", QString());
    lblweightwarning->setAccessibleName(QStringLiteral("Weight warning"));
    setBold(lblweightwarning, true);
    setTextColour(lblweightwarning, kWarning);

    Label2 = namedLabel(this, "Label2", QStringLiteral("Edit Box"));
    txtweight = new QLineEdit(this);
    txtweight->setObjectName(QStringLiteral("txtweight"));
    txtweight->setAccessibleName(QStringLiteral("Edit Box"));
    txtweight->setMaxLength(3);
    txtweight->setAlignment(Qt::AlignCenter);
    txtweight->installEventFilter(this);
    Label2->setBuddy(txtweight);
    // Alt+E belongs to the Edit menu; the caption keeps its word.
    cmdweight = windowButton(this, "cmdweight", QStringLiteral("En&ter"));
    cmddrop = windowButton(this, "cmddrop", QStringLiteral("&Drop"));

    Label1 = namedLabel(this, "Label1", QStringLiteral("Student List"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setAccessibleName(QStringLiteral("Student List"));
    Combo1->setMinimumContentsLength(22);
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Label1->setBuddy(Combo1);
    cmdcycle = windowButton(this, "cmdcycle", QStringLiteral("Cycle"));
    cmdrefresh = windowButton(this, "cmdrefresh", QStringLiteral("Refresh"));
    cmdnextstudent = windowButton(this, "cmdnextstudent", QStringLiteral("&Next"));
    cmdnextstudent->installEventFilter(this);

    Frame24 = new QGroupBox(QStringLiteral("Average"), this);
    Frame24->setObjectName(QStringLiteral("Frame24"));
    Option1 = new QRadioButton(QStringLiteral("Decimal"), Frame24);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setAccessibleName(QStringLiteral("Decimal"));
    Option2 = new QRadioButton(QStringLiteral("Rounded"), Frame24);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setAccessibleName(QStringLiteral("Rounded"));
    Label16 = namedLabel(this, "Label16", QStringLiteral("(also used in printing)"));

    Label6 = namedLabel(this, "Label6", QStringLiteral("Failing Below"));
    spnfail = new FailLimitBox(this);
    spnfail->setObjectName(QStringLiteral("spnfail"));
    spnfail->setAccessibleName(QStringLiteral("Failing Below"));
    spnfail->setMinimumWidth(72);
    lblfail = spnfail->findChild<QLineEdit*>();
    lblfail->setObjectName(QStringLiteral("lblfail"));
    lblfail->setAccessibleName(QStringLiteral("Failing Below"));
    Label6->setBuddy(spnfail);

    Label5 = namedLabel(this, "Label5", QStringLiteral("Grand Average"));
    lblgrandave = namedLabel(this, "lblgrandave", QString());
    lblgrandave->setAccessibleName(QStringLiteral("Grand Average"));
    lblgrandave->setAlignment(Qt::AlignCenter);
    lblgrandave->setFrameShape(QFrame::Panel);
    lblgrandave->setFrameShadow(QFrame::Sunken);
    lblgrandave->setMinimumWidth(90);
    // The value stands on white, in large bold figures, so each of its
    // colours reads clearly (see kGrandAveragePoints).
    lblgrandave->setAutoFillBackground(true);
    QPalette panel = lblgrandave->palette();
    panel.setColor(QPalette::Window, Qt::white);
    lblgrandave->setPalette(panel);
    QFont big = lblgrandave->font();
    big.setPointSizeF(std::max(kGrandAveragePoints, big.pointSizeF() * 1.5));
    big.setBold(true);
    lblgrandave->setFont(big);
    setTextColour(lblgrandave, kNavy);
    lblgrandmark = namedLabel(this, "lblgrandmark", QString());
    lblgrandmark->setAccessibleName(QStringLiteral("Grand Average mark"));
    setBold(lblgrandmark, true);

    connect(grdweight, &QTableWidget::cellClicked, this,
            [this](int row, int) { selectWeightCell(row + 1); });
    connect(grdweight, &QTableWidget::cellActivated, this,
            [this](int row, int) { selectWeightCell(row + 1); });
    connect(grdweight->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int) { selectWeightCell(0); });
    connect(grdscores, &QTableWidget::cellClicked, this,
            [this](int row, int column) { selectScoreCell(row + 1, column); });
    connect(grdscores, &QTableWidget::cellActivated, this,
            [this](int row, int column) { selectScoreCell(row + 1, column); });
    connect(grdscores->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { selectScoreCell(0, column); });

    connect(txtweight, &QLineEdit::textChanged, this, &GradeBookWindow::editTextChanged);
    connect(txtweight, &QLineEdit::returnPressed, this, &GradeBookWindow::editReturnPressed);
    connect(cmdweight, &QPushButton::clicked, this, &GradeBookWindow::enterClicked);
    connect(cmddrop, &QPushButton::clicked, this, &GradeBookWindow::dropClicked);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &GradeBookWindow::studentChosen);
    connect(cmdnextstudent, &QPushButton::clicked, this, &GradeBookWindow::nextStudent);
    connect(cmdcycle, &QPushButton::clicked, this, &GradeBookWindow::cycle);
    connect(cmdrefresh, &QPushButton::clicked, this, &GradeBookWindow::refresh);
    connect(Option1, &QRadioButton::clicked, this, [this] { averageModeChosen(1); });
    connect(Option2, &QRadioButton::clicked, this, [this] { averageModeChosen(0); });
    connect(spnfail, &QDoubleSpinBox::valueChanged, this, &GradeBookWindow::failLimitChanged);
}

void GradeBookWindow::buildLayout() {
    const int frame = grdweight->frameWidth();
    const int gridHeight = 2 * frame + kRowHeight * (kCategoryCount + 1);
    grdweight->setFixedSize(2 * frame + 44, gridHeight);
    grdscores->setFixedHeight(gridHeight + grdscores->horizontalScrollBar()->sizeHint().height());
    grdscores->setMinimumWidth(2 * frame + 34 * 14);
    grdaverage->setFixedSize(2 * frame + 58, gridHeight - kRowHeight);

    // The category names stand level with the rows of the three grids.
    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    names->setContentsMargins(0, frame, 0, 0);
    Label4->setFixedHeight(kRowHeight);
    Label4->setAlignment(Qt::AlignBottom | Qt::AlignRight);
    setBold(Label4, true);
    names->addWidget(Label4);
    for (QLabel* label : Label20)
        names->addWidget(label);
    names->addStretch();

    auto* averages = new QVBoxLayout;
    averages->setSpacing(0);
    averages->setContentsMargins(0, frame, 0, 0);
    Label3->setFixedHeight(kRowHeight);
    Label3->setAlignment(Qt::AlignCenter);
    setBold(Label3, true);
    averages->addWidget(Label3);
    averages->addSpacing(-frame);
    averages->addWidget(grdaverage);
    averages->addStretch();

    // The total stands under the weights; a warning beside it when the
    // weights do not add up to 100.
    auto* grids = new QGridLayout;
    grids->setHorizontalSpacing(6);
    grids->setVerticalSpacing(4);
    grids->addLayout(names, 0, 0, Qt::AlignTop);
    grids->addWidget(grdweight, 0, 1, Qt::AlignTop);
    grids->addWidget(grdscores, 0, 2, Qt::AlignTop);
    grids->addLayout(averages, 0, 3, Qt::AlignTop);
    lblweighttotal->setFixedWidth(grdweight->width());
    grids->addWidget(lblweighttotal, 1, 1, Qt::AlignTop);
    grids->addWidget(lblweightwarning, 1, 2, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grids->setColumnStretch(2, 1);

    // Edit box, student list and buttons under the grids.
    auto* edit = new QGridLayout;
    edit->setHorizontalSpacing(6);
    edit->setVerticalSpacing(5);
    edit->addWidget(Label2, 0, 0, 1, 2);
    txtweight->setFixedWidth(56);
    edit->addWidget(txtweight, 1, 0);
    edit->addWidget(cmdweight, 1, 1);
    edit->addWidget(cmddrop, 2, 1);

    auto* students = new QGridLayout;
    students->setHorizontalSpacing(6);
    students->setVerticalSpacing(5);
    students->addWidget(Label1, 0, 0, 1, 3);
    students->addWidget(Combo1, 1, 0, 1, 3);
    students->addWidget(cmdnextstudent, 2, 0);
    students->addWidget(cmdcycle, 2, 1);
    students->addWidget(cmdrefresh, 2, 2);

    auto* modeBox = new QVBoxLayout(Frame24);
    modeBox->addWidget(Option1);
    modeBox->addWidget(Option2);
    auto* mode = new QVBoxLayout;
    mode->setSpacing(3);
    mode->addWidget(Frame24);
    mode->addWidget(Label16);
    mode->addStretch();

    auto* limits = new QGridLayout;
    limits->setHorizontalSpacing(8);
    limits->setVerticalSpacing(5);
    limits->addWidget(Label6, 0, 0, 1, 2);
    limits->addWidget(spnfail, 1, 0, Qt::AlignLeft);
    limits->setRowMinimumHeight(2, 6);
    limits->addWidget(Label5, 3, 0, 1, 2);
    limits->addWidget(lblgrandave, 4, 0);
    limits->addWidget(lblgrandmark, 4, 1, Qt::AlignLeft | Qt::AlignVCenter);
    lblgrandmark->setMinimumWidth(
        lblgrandmark->fontMetrics().horizontalAdvance(QStringLiteral("100 or more")));

    auto* controls = new QHBoxLayout;
    controls->setSpacing(24);
    // Each block keeps its natural height and stands at the top.
    for (QLayout* block : std::initializer_list<QLayout*>{edit, students, mode, limits}) {
        auto* column = new QVBoxLayout;
        column->setSpacing(0);
        column->addLayout(block);
        column->addStretch(1);
        controls->addLayout(column);
    }
    controls->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);
    layout->addLayout(grids);
    layout->addLayout(controls);

    setTabOrder(Combo1, cmdnextstudent);
    setTabOrder(cmdnextstudent, cmdcycle);
    setTabOrder(cmdcycle, cmdrefresh);
    setTabOrder(cmdrefresh, grdweight);
    setTabOrder(grdweight, grdscores);
    setTabOrder(grdscores, grdaverage);
    setTabOrder(grdaverage, txtweight);
    setTabOrder(txtweight, cmdweight);
    setTabOrder(cmdweight, cmddrop);
    setTabOrder(cmddrop, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, spnfail);
}

bool GradeBookWindow::hasClass() const {
    return state_.classDocument.isOpen();
}

QString GradeBookWindow::cellText(const QTableWidget* grid, int row, int column) {
    if (row == 0) {
        const QTableWidgetItem* heading = grid->horizontalHeaderItem(column);
        return heading ? heading->text() : QString();
    }
    const QTableWidgetItem* item = grid->item(row - 1, column);
    return item ? item->text() : QString();
}

void GradeBookWindow::setCell(QTableWidget* grid, int row, int column, const QString& text) {
    if (row == 0) {
        grid->horizontalHeaderItem(column)->setText(text);
        return;
    }
    QTableWidgetItem* item = grid->item(row - 1, column);
    item->setText(text);
}

void GradeBookWindow::fillStudentList() {
    Combo1->clear();
    if (!hasClass())
        return;
    const ClassRecord& record = state_.classRecord();
    for (int s = 0; s < record.studentCount; ++s)
        Combo1->addItem(QString::fromStdString(record.studentNames[s]));
    // Choosing the first entry makes it the current student and shows it.
    if (Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
}

void GradeBookWindow::activate() {
    // The roster cannot be edited while its grades are on show.
    shell_.setStepEnabled(Step::NameEntry, false);

    if (isFailLimitUnset(state_.failLimit))
        state_.failLimit = Value(kDefaultFailLimit);
    showFailLimit();

    if (!hasClass())
        return;
    showWeights();
    refresh();
    setgradetypes();
}

void GradeBookWindow::setgradetypes() {
    state_.classDocument.setgradetypes();
}

void GradeBookWindow::setCategoryLabel(int category, bool counts) {
    QLabel* label = Label20[category - 1];
    setBold(label, counts);
    setTextColour(label, counts ? kBlue : kBlack);
}

void GradeBookWindow::showWeightTotal() {
    double total = 0;
    for (int c = 1; c <= kCategoryCount; ++c) {
        const Value& weight = state_.classRecord().categoryWeights[c];
        if (weight.isNumeric())
            total += weight.toNumber();
    }
    const QString text = QString::fromStdString(formatNumber(total));
    lblweighttotal->setText(text);
    // The averages are not scaled to the total, so a teacher must see at a
    // glance when the weights leave part of every grade out (or count extra).
    QString warning;
    if (total != 100)
        warning = QStringLiteral("weights add up to %1%, not 100%").arg(text);
    lblweightwarning->setText(warning);
    lblweighttotal->setToolTip(warning);
    setSpokenName(lblweighttotal, warning.isEmpty() ? QStringLiteral("Weight total ") + text
                                                    : QStringLiteral("Weight total ") + text +
                                                          QStringLiteral(", ") + warning);
}

void GradeBookWindow::showWeights() {
    if (!hasClass())
        return;
    // A weight that is not a positive number cannot take part: it is 0.
    state_.classDocument.normalizeWeights();
    const ClassRecord& record = state_.classRecord();
    setCell(grdweight, 0, 0, QStringLiteral("%"));
    for (int c = 1; c <= kCategoryCount; ++c) {
        const Value& weight = record.categoryWeights[c];
        setCategoryLabel(c, weightCounts(weight));
        setCell(grdweight, c, 0, QString::fromStdString(weight.toText()));
    }
    showWeightTotal();
    grdweight->setEnabled(true);
    for (int c = 0; c < kScoreColumns; ++c)
        setCell(grdscores, 0, c, QString::number(c + 1));
}

void GradeBookWindow::colourGrandAverage(const Value& grandAverage) {
    double value = grandAverage.isNumeric() ? grandAverage.toNumber() : 0;
    QColor colour = kNavy;
    // Against the limit on show, which is the one the teacher just set.
    if (value < spnfail->value())
        colour = kRed;
    if (value >= 100)
        colour = kGreen;
    setTextColour(lblgrandave, colour);
}

QString GradeBookWindow::grandAverageSpoken() const {
    QString spoken = QStringLiteral("Grand Average");
    if (lblgrandave->text().isEmpty())
        return spoken;
    spoken += QLatin1Char(' ') + lblgrandave->text();
    const QColor colour = lblgrandave->palette().color(QPalette::WindowText);
    if (colour == kRed)
        spoken += QStringLiteral(", below the failing limit ") + lblfail->text();
    else if (colour == kGreen)
        spoken += QStringLiteral(", 100 or more");
    return spoken;
}

// The value, its colour, the word beside it and what a screen reader says,
// always together.
void GradeBookWindow::showGrandAverage() {
    if (grandAverage_.isEmpty() && lblgrandave->text().isEmpty())
        return;
    colourGrandAverage(grandAverage_);
    lblgrandave->setText(QString::fromStdString(grandAverage_.toText()));
    const QColor colour = lblgrandave->palette().color(QPalette::WindowText);
    if (colour == kRed)
        lblgrandmark->setText(QStringLiteral("below ") + lblfail->text());
    else if (colour == kGreen)
        lblgrandmark->setText(QStringLiteral("100 or more"));
    else
        lblgrandmark->clear();
    setSpokenName(lblgrandave, grandAverageSpoken());
    describeStudentOnShow();
}

// Next keeps the focus while the students go by: its description says whose
// grades are on show, so a screen reader tells the teacher.
void GradeBookWindow::describeStudentOnShow() {
    if (currentStudent_ < 0 || currentStudent_ >= Combo1->count())
        return;
    setSpokenDescription(cmdnextstudent, Combo1->itemText(currentStudent_) + QStringLiteral(", ") +
                                             grandAverageSpoken());
}

void GradeBookWindow::refresh() {
    if (!hasClass())
        return;
    const ClassRecord& record = state_.classRecord();
    const int s = currentStudent_;
    if (s < 0 || s >= record.studentCount)
        return;
    try {
        for (int c = 1; c <= kCategoryCount; ++c) {
            int count = record.gradeCount(c);
            for (int k = 1; k <= count; ++k)
                setCell(grdscores, c, k - 1,
                        QString::fromStdString(record.grades(s, c, k).toText()));
            double average = categoryAverage(record, s, c);
            setCell(grdaverage, c, 0, QString::fromStdString(averageText(average)));
        }
        AverageMode mode = Option2->isChecked() ? AverageMode::Rounded : AverageMode::Decimal;
        StudentAverages averages = state_.classDocument.computeAverages(s, mode);
        grandAverage_ = averages.grandAverage;
        showGrandAverage();
    } catch (const AveragingError& error) {
        // What is already shown stays; the teacher learns which grade is wrong.
        platform_.messages.show(QString::fromStdString(error.what()), QStringLiteral("Error!"),
                                MessageStyle::OkExclamation);
        return;
    }
    // An edit begun in a grid gives the focus back there instead.
    if (!editedFromKeys_)
        cmdnextstudent->setFocus();
}

int GradeBookWindow::selectedStudent() const {
    return Combo1->currentIndex();
}

void GradeBookWindow::studentChosen(int index) {
    currentStudent_ = index;
    refresh();
}

void GradeBookWindow::nextStudent() {
    int count = Combo1->count();
    if (count == 0)
        return;
    int next = Combo1->currentIndex() >= count - 1 ? 0 : Combo1->currentIndex() + 1;
    {
        // Selecting the entry shows the student once, here, not twice.
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(next);
    }
    currentStudent_ = next;
    refresh();
}

void GradeBookWindow::cycle() {
    BusyPointer busy;
    int count = hasClass() ? state_.classRecord().studentCount : 0;
    for (int i = 0; i < count; ++i)
        nextStudent();
}

void GradeBookWindow::averageModeChosen(int mode) {
    state_.averageMode = averageModeFrom(mode);
    refresh();
}

void GradeBookWindow::showFailLimit() {
    const QSignalBlocker blocker(spnfail);
    spnfail->setValue(effectiveFailLimit(state_.failLimit));
    showGrandAverage();
}

// A new limit is the teacher's at once, and so is its meaning: the grand
// average takes its colour against it without waiting for a refresh (and the
// focus stays in the spinner).
void GradeBookWindow::failLimitChanged(double value) {
    state_.failLimit = Value(formatNumber(value));
    showGrandAverage();
}

// ---- Editing one weight or one grade -------------------------------------

void GradeBookWindow::setEnterDefault(bool isDefault) {
    enterIsDefault_ = isDefault;
    cmdweight->setDefault(isDefault);
}

void GradeBookWindow::returnToIdle() {
    editMode_ = EditMode::Idle;
    platform_.history.setPaused(false);
    grdweight->clearSelection();
    grdscores->clearSelection();
    {
        const QSignalBlocker blocker(txtweight);
        txtweight->clear();
    }
    txtweight->setEnabled(false);
    cmdweight->setEnabled(false);
    setEnterDefault(false);
    cmddrop->setEnabled(false);
    cmdrefresh->setEnabled(true);
    cmdnextstudent->setEnabled(true);
    grdscores->setEnabled(true);
    grdweight->setEnabled(true);
    Combo1->setEnabled(true);
    cmdcycle->setEnabled(true);
    if (!editedFromKeys_)
        cmdnextstudent->setFocus();
}

// After an edit the focus goes to Next, or back to the cell for an edit begun
// from the keyboard, so that the teacher goes on from where the edit began.
void GradeBookWindow::focusAfterEdit() {
    QTableWidget* grid = std::exchange(editedFromKeys_, nullptr);
    if (!grid) {
        cmdnextstudent->setFocus();
        return;
    }
    grid->setFocus(Qt::OtherFocusReason);
    grid->selectionModel()->setCurrentIndex(grid->model()->index(selectedRow_ - 1, selectedColumn_),
                                            QItemSelectionModel::NoUpdate);
}

void GradeBookWindow::beginEdit(EditMode mode, int row, int column) {
    editMode_ = mode;
    selectedRow_ = row;
    selectedColumn_ = column;
    QTableWidget* grid = mode == EditMode::Weight ? grdweight : grdscores;
    grid->setCurrentCell(row - 1, column);
    // While a cell is being typed, Ctrl+Z belongs to the edit box.
    platform_.history.setPaused(true);
    txtweight->setEnabled(true);
    txtweight->setFocus();
    // The teacher types at most 3 characters, but a longer value read from a
    // file (92.5) must come into the box whole: cut short, Enter would store it.
    QString current = cellText(grid, row, column);
    txtweight->setMaxLength(std::max(3, static_cast<int>(current.size())));
    txtweight->setText(current);
    txtweight->selectAll();
    cmdrefresh->setEnabled(false);
    cmdnextstudent->setEnabled(false);
    // The edit belongs to the student on show: the list and Cycle wait too.
    Combo1->setEnabled(false);
    cmdcycle->setEnabled(false);
    grdscores->setEnabled(false);
    grdweight->setEnabled(false);
}

void GradeBookWindow::editCurrentCell(QTableWidget* grid) {
    if (editMode_ != EditMode::Idle || !hasClass())
        return;
    const QModelIndex index = grid->currentIndex();
    if (!index.isValid())
        return;
    editedFromKeys_ = grid;
    if (grid == grdweight)
        selectWeightCell(index.row() + 1);
    else if (grid == grdscores)
        selectScoreCell(index.row() + 1, index.column());
    if (editMode_ == EditMode::Idle) {
        // Nothing to edit there (a grade never entered): the teacher stays
        // in the grid and hears that the key did nothing.
        editedFromKeys_ = nullptr;
        grid->setFocus(Qt::OtherFocusReason);
        platform_.messages.beep();
    }
}

void GradeBookWindow::cancelEdit() {
    if (editMode_ == EditMode::Idle)
        return;
    if (editMode_ == EditMode::Weight)
        setCell(grdweight, selectedRow_, 0, previousWeightText_);
    else
        setCell(grdscores, selectedRow_, selectedColumn_, previousScoreText_);
    returnToIdle();
    focusAfterEdit();
}

bool GradeBookWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtweight && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && editMode_ != EditMode::Idle) {
        cancelEdit();
        return true;
    }
    if (watched == cmdnextstudent && event->type() == QEvent::FocusOut)
        backFromList_ = false;
    return QWidget::eventFilter(watched, event);
}

// Over the whole window: what comes before the list may be outside the
// grade book (the main window's step panel).
QWidget* GradeBookWindow::previousFocusable(QWidget* from) const {
    for (QWidget* w = from->previousInFocusChain(); w && w != from; w = w->previousInFocusChain())
        if (isFocusable(w, window()))
            return w;
    return nullptr;
}

// Leaving the student list by Tab or Shift+Tab goes to Next, as the list
// always hands the focus on; a second Shift+Tab then goes on backwards past
// the list, so that Shift+Tab never turns between the two.
bool GradeBookWindow::focusNextPrevChild(bool next) {
    QWidget* focused = focusWidget();
    if (focused == Combo1 && cmdnextstudent->isEnabled() && cmdnextstudent->isVisible()) {
        cmdnextstudent->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        backFromList_ = !next;
        return true;
    }
    if (!next && focused == cmdnextstudent && std::exchange(backFromList_, false)) {
        if (QWidget* before = previousFocusable(Combo1); before && before != cmdnextstudent) {
            before->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void GradeBookWindow::selectWeightCell(int row) {
    if (editMode_ != EditMode::Idle || !hasClass())
        return;
    if (row <= 0 || row > kCategoryCount) {
        returnToIdle();
        return;
    }
    previousWeightText_ = cellText(grdweight, row, 0);
    beginEdit(EditMode::Weight, row, 0);
}

void GradeBookWindow::selectScoreCell(int row, int column) {
    if (editMode_ != EditMode::Idle || !hasClass())
        return;
    const ClassRecord& record = state_.classRecord();
    // Only grades that grade entry created can be changed. A cell inside the
    // recorded columns counts even when empty, since it counts as a 0.
    bool isGrade = row >= 1 && row <= kCategoryCount && column >= 0 &&
                   column < record.gradeCount(row) && currentStudent_ >= 0 &&
                   currentStudent_ < record.studentCount;
    if (!isGrade) {
        returnToIdle();
        return;
    }
    previousScoreText_ = cellText(grdscores, row, column);
    beginEdit(EditMode::Score, row, column);
}

void GradeBookWindow::editTextChanged(const QString& text) {
    if (editMode_ == EditMode::Idle)
        return;
    std::string typed = text.toStdString();
    bool numeric = !typed.empty() && isNumericText(typed);
    // A sign or a decimal point alone is a number still being typed.
    bool startOfNumber = text == QLatin1String("-") || text == QLatin1String("+") ||
                         text == QLatin1String(".") || text == QLatin1String("-.") ||
                         text == QLatin1String("+.");
    if (editMode_ == EditMode::Weight) {
        if (numeric) {
            cmdweight->setEnabled(true);
            setEnterDefault(true);
            setCell(grdweight, selectedRow_, 0, text);
        } else if (startOfNumber) {
            setEnterDefault(false);
        } else {
            txtweight->clear();
            setCell(grdweight, selectedRow_, 0, QString());
        }
        return;
    }
    bool acceptable = numeric || text == QLatin1String("x") || text == QLatin1String("d");
    if (acceptable) {
        cmdweight->setEnabled(true);
        setEnterDefault(true);
        cmddrop->setEnabled(true);
        setCell(grdscores, selectedRow_, selectedColumn_, text);
    } else if (startOfNumber) {
        setEnterDefault(false);
        cmddrop->setEnabled(false);
    } else {
        cmddrop->setEnabled(false);
        txtweight->clear();
        setCell(grdscores, selectedRow_, selectedColumn_, QString());
    }
}

void GradeBookWindow::editReturnPressed() {
    if (enterIsDefault_ && cmdweight->isEnabled())
        cmdweight->click();
}

// An edit can only be stored while the class it began on is still held.
bool GradeBookWindow::editTargetExists() const {
    const ClassRecord& record = state_.classRecord();
    if (!hasClass() || selectedRow_ < 1 || selectedRow_ > kCategoryCount)
        return false;
    if (editMode_ == EditMode::Score)
        return currentStudent_ >= 0 && currentStudent_ < record.studentCount &&
               selectedColumn_ >= 0 && selectedColumn_ < record.gradeCount(selectedRow_);
    return editMode_ == EditMode::Weight;
}

void GradeBookWindow::enterClicked() {
    if (editMode_ == EditMode::Idle)
        return;
    if (!editTargetExists()) {
        editedFromKeys_ = nullptr; // the cell it began on may be gone
        returnToIdle();
        return;
    }
    if (editMode_ == EditMode::Weight) {
        const int row = selectedRow_;
        QString text = txtweight->text();
        if (text.isEmpty() || !isNumericText(text.toStdString())) {
            // An empty box abandons the edit: the cell gets its text back.
            setCell(grdweight, row, 0, previousWeightText_);
            returnToIdle();
            focusAfterEdit();
            return;
        }
        setCell(grdweight, row, 0, text);
        edit([&] { return state_.classDocument.setWeight(row, Value(text.toStdString())); });
        const Value& weight = state_.classRecord().categoryWeights[row];
        setCategoryLabel(row, weightCounts(weight));
        showWeightTotal();
        returnToIdle();
        setCell(grdweight, row, 0, QString::fromStdString(weight.toText()));
        refresh();
        focusAfterEdit();
        return;
    }
    finishScoreEdit();
}

void GradeBookWindow::finishScoreEdit() {
    const int row = selectedRow_;
    const int column = selectedColumn_;
    QString text = txtweight->text();
    bool acceptable = !text.isEmpty() && (isNumericText(text.toStdString()) ||
                                          text == QLatin1String("x") || text == QLatin1String("d"));
    if (!acceptable) {
        setCell(grdscores, row, column, previousScoreText_);
        returnToIdle();
        focusAfterEdit();
        return;
    }
    edit([&] {
        return state_.classDocument.setGrade(currentStudent_, row, column + 1,
                                             Value(text.toStdString()));
    });
    returnToIdle();
    setCell(grdscores, row, column,
            QString::fromStdString(
                state_.classRecord().grades(currentStudent_, row, column + 1).toText()));
    refresh();
    focusAfterEdit();
}

void GradeBookWindow::dropClicked() {
    if (editMode_ != EditMode::Score)
        return;
    if (!editTargetExists()) {
        editedFromKeys_ = nullptr;
        returnToIdle();
        return;
    }
    const int row = selectedRow_;
    const int column = selectedColumn_;
    grdscores->clearSelection();
    const std::string name = categoryDisplayName(state_.classRecord(), row);
    QString text = QString::fromStdString(name) + QStringLiteral(" grade # ") +
                   QString::number(column + 1) + QStringLiteral(" will be dropped") +
                   QLatin1Char('\n') + QStringLiteral("for all students in ") +
                   QString::fromStdString(state_.currentFileName) + QLatin1Char('.') +
                   QLatin1Char('\n') + QStringLiteral("Permanantly when this file is saved.");
    MessageButton answer = platform_.messages.show(text, QStringLiteral("Drop a Grade"),
                                                   MessageStyle::OkCancelCriticalNoDefault);
    if (answer != MessageButton::Ok) {
        cmddrop->setEnabled(false);
        finishScoreEdit();
        return;
    }
    // The column stays in place; it simply no longer counts for anyone.
    edit([&] { return state_.classDocument.dropColumn(row, column + 1); });
    returnToIdle();
    refresh();
    focusAfterEdit();
}

void GradeBookWindow::edit(const std::function<ClassEdit()>& change) {
    ownEdit_ = true;
    ClassEdit done;
    try {
        done = change();
    } catch (...) {
        ownEdit_ = false;
        throw;
    }
    ownEdit_ = false;
    platform_.history.record(state_.classDocument, std::move(done));
}

} // namespace tallyro
