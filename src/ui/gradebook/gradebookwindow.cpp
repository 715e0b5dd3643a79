#include "ui/gradebook/gradebookwindow.h"

#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"
#include "core/gradebook/faillimit.h"
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

namespace tallyro {

namespace {

constexpr int kRowHeight = 22;
constexpr int kScoreColumns = kMaxGradesPerCategory;

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

void setBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

QTableWidget* makeGrid(QWidget* parent, const char* name, const QString& accessibleName, int rows,
                       int columns, int columnWidth) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(accessibleName);
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

} // namespace

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    up_->setAccessibleName(QStringLiteral("Up"));
    up_->setFocusPolicy(Qt::NoFocus);
    up_->setFixedSize(18, 13);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    down_->setAccessibleName(QStringLiteral("Down"));
    down_->setFocusPolicy(Qt::NoFocus);
    down_->setFixedSize(18, 13);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClicked);
}

void SpinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        emit upClicked();
    } else if (event->key() == Qt::Key_Down) {
        emit downClicked();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
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
    if (editMode_ != EditMode::Idle)
        returnToIdle();
    showWeights();
    refresh();
}

void GradeBookWindow::buildControls() {
    grdweight = makeGrid(this, "grdweight", QStringLiteral("Weights"), kCategoryCount, 1, 44);
    grdscores =
        makeGrid(this, "grdscores", QStringLiteral("Scores"), kCategoryCount, kScoreColumns, 34);
    grdscores->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdaverage = makeGrid(this, "grdaverage", QStringLiteral("Averages"), kCategoryCount, 1, 58);
    // The label "avg." stands above the averages instead of a heading row.
    grdaverage->horizontalHeader()->hide();
    grdaverage->setSelectionMode(QAbstractItemView::NoSelection);
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

    Label2 = namedLabel(this, "Label2", QStringLiteral("Edit Box"));
    txtweight = new QLineEdit(this);
    txtweight->setObjectName(QStringLiteral("txtweight"));
    txtweight->setAccessibleName(QStringLiteral("Edit Box"));
    txtweight->setMaxLength(3);
    txtweight->setAlignment(Qt::AlignCenter);
    Label2->setBuddy(txtweight);
    cmdweight = windowButton(this, "cmdweight", QStringLiteral("&Enter"));
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
    lblfail = namedLabel(this, "lblfail", QString());
    lblfail->setAccessibleName(QStringLiteral("Failing Below"));
    lblfail->setAlignment(Qt::AlignCenter);
    lblfail->setFrameShape(QFrame::Panel);
    lblfail->setFrameShadow(QFrame::Sunken);
    lblfail->setMinimumWidth(48);
    spnfail = new SpinButton(this);
    spnfail->setObjectName(QStringLiteral("spnfail"));
    spnfail->setAccessibleName(QStringLiteral("Failing Below"));
    Label6->setBuddy(spnfail);

    Label5 = namedLabel(this, "Label5", QStringLiteral("Grand Average"));
    lblgrandave = namedLabel(this, "lblgrandave", QString());
    lblgrandave->setAccessibleName(QStringLiteral("Grand Average"));
    lblgrandave->setAlignment(Qt::AlignCenter);
    lblgrandave->setFrameShape(QFrame::Panel);
    lblgrandave->setFrameShadow(QFrame::Sunken);
    lblgrandave->setMinimumWidth(90);
    QFont big = lblgrandave->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblgrandave->setFont(big);
    setTextColour(lblgrandave, kNavy);

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
    connect(spnfail, &SpinButton::upClicked, this, &GradeBookWindow::failLimitUp);
    connect(spnfail, &SpinButton::downClicked, this, &GradeBookWindow::failLimitDown);
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

    auto* weights = new QVBoxLayout;
    weights->setSpacing(4);
    weights->addWidget(grdweight);
    lblweighttotal->setFixedWidth(grdweight->width());
    weights->addWidget(lblweighttotal);
    weights->addStretch();

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

    auto* grids = new QHBoxLayout;
    grids->setSpacing(6);
    grids->addLayout(names);
    grids->addLayout(weights);
    grids->addWidget(grdscores, 1, Qt::AlignTop);
    grids->addLayout(averages);

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
    limits->setHorizontalSpacing(6);
    limits->setVerticalSpacing(5);
    limits->addWidget(Label6, 0, 0, 1, 2);
    limits->addWidget(lblfail, 1, 0);
    limits->addWidget(spnfail, 1, 1, Qt::AlignLeft);
    limits->setRowMinimumHeight(2, 6);
    limits->addWidget(Label5, 3, 0, 1, 2);
    limits->addWidget(lblgrandave, 4, 0, 1, 2);

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
    setTabOrder(grdscores, txtweight);
    setTabOrder(txtweight, cmdweight);
    setTabOrder(cmdweight, cmddrop);
    setTabOrder(cmddrop, Option1);
    setTabOrder(Option1, spnfail);
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
    lblfail->setText(QString::fromStdString(state_.failLimit.toText()));

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
    lblweighttotal->setText(QString::fromStdString(formatNumber(total)));
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
    if (value < effectiveFailLimit(state_.failLimit))
        colour = kRed;
    if (value >= 100)
        colour = kGreen;
    setTextColour(lblgrandave, colour);
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
        colourGrandAverage(averages.grandAverage);
        lblgrandave->setText(QString::fromStdString(averages.grandAverage.toText()));
    } catch (const AveragingError& error) {
        // What is already shown stays; the teacher learns which grade is wrong.
        platform_.messages.show(QString::fromStdString(error.what()), QStringLiteral("Error!"),
                                MessageStyle::OkExclamation);
        return;
    }
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

void GradeBookWindow::failLimitUp() {
    auto shown = parseNumber(lblfail->text().toStdString());
    double value = shown.value_or(0);
    if (value >= 100)
        return;
    lblfail->setText(QString::fromStdString(formatNumber(value + 0.1)));
    state_.failLimit = Value(lblfail->text().toStdString());
}

void GradeBookWindow::failLimitDown() {
    auto shown = parseNumber(lblfail->text().toStdString());
    double value = shown.value_or(0);
    if (value <= 0)
        return;
    lblfail->setText(QString::fromStdString(formatNumber(value - 0.1)));
    state_.failLimit = Value(lblfail->text().toStdString());
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
    cmdnextstudent->setFocus();
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
    if (editMode_ != EditMode::Idle && !editTargetExists()) {
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
        cmdnextstudent->setFocus();
        return;
    }
    if (editMode_ == EditMode::Score)
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
    cmdnextstudent->setFocus();
}

void GradeBookWindow::dropClicked() {
    if (editMode_ != EditMode::Score)
        return;
    if (!editTargetExists()) {
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
    cmdnextstudent->setFocus();
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
