#include "ui/stats/statisticswindow.h"

#include "core/gradebook/categories.h"
#include "core/gradebook/faillimit.h"
#include "core/print/printdate.h"
#include "core/reports/gradelists.h"
#include "core/stats/histogram.h"
#include "core/stats/needed.h"
#include "core/stats/statssheet.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/controls.h"
#include "ui/platform/printer.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tallyro {

namespace {

// The grade book's colours: red marks a failing average, navy an ordinary
// one; the student's own bars are the blue of a weighted category.
const QColor kFailing(255, 0, 0);
const QColor kPassing(0, 0, 128);
const QColor kStudent(0, 0, 255);
const QColor kClassMean(128, 128, 128);

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QChartView* chartView(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* view = new QChartView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setRenderHint(QPainter::Antialiasing);
    // The figures behind every chart are in the table and the lists, which
    // the keyboard reaches; a chart is a picture of them.
    view->setFocusPolicy(Qt::NoFocus);
    view->viewport()->setFocusPolicy(Qt::NoFocus);
    view->setMinimumSize(260, 180);
    return view;
}

// Puts a new chart into the view; the view lets go of the old one without
// deleting it.
void replaceChart(QChartView* view, QChart* chart) {
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QValueAxis* countAxis(QChart* chart, int most, const QString& title) {
    auto* axis = new QValueAxis(chart);
    axis->setRange(0, std::max(most, 1));
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTickCount(std::min(std::max(most, 1), 10) + 1);
    if (most > 10)
        axis->applyNiceNumbers();
    axis->setTitleText(title);
    return axis;
}

// A histogram of values in bands of ten points: the part of each bar below
// the failing limit in the failing colour, so a band wholly below the limit
// is a red bar and a band the limit cuts shows both.
QChart* histogramChart(const QString& title, const std::vector<double>& values, double limit,
                       const QString& counted, QString* spoken) {
    auto bands = histogramBands(values, limit);
    QString limitText = text(formatNumber(limit));
    auto* failing = new QBarSet(QStringLiteral("Below ") + limitText);
    failing->setColor(kFailing);
    auto* passing = new QBarSet(limitText + QStringLiteral(" or above"));
    passing->setColor(kPassing);
    QStringList labels;
    QStringList said;
    int most = 0;
    for (const HistogramBand& band : bands) {
        *failing << band.failing;
        *passing << band.count - band.failing;
        labels << text(band.label());
        most = std::max(most, band.count);
        if (band.count > 0)
            said << text(band.label()) + QStringLiteral(": ") + QString::number(band.count);
    }
    auto* series = new QStackedBarSeries;
    series->append(failing);
    series->append(passing);
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto* bandAxis = new QBarCategoryAxis(chart);
    bandAxis->append(labels);
    bandAxis->setTitleText(QStringLiteral("points"));
    // Upright, "90-99" is wider than a bar of a small chart and would be cut.
    bandAxis->setLabelsAngle(-90);
    chart->addAxis(bandAxis, Qt::AlignBottom);
    series->attachAxis(bandAxis);
    QValueAxis* counts = countAxis(chart, most, counted);
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
    *spoken = title + QStringLiteral(". ") +
              (said.isEmpty() ? QStringLiteral("No values.") : said.join(QStringLiteral(", ")));
    return chart;
}

QChart* emptyChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    return chart;
}

} // namespace

StatisticsWindow::StatisticsWindow(const AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("frmstatistics"));
    setWindowTitle(QStringLiteral("Statistics"));
    setAccessibleName(QStringLiteral("Statistics"));
    buildControls();
    buildLayout();
    refresh();
}

void StatisticsWindow::buildControls() {
    tabstats = new QTabWidget(this);
    tabstats->setObjectName(QStringLiteral("tabstats"));
    tabstats->setAccessibleName(QStringLiteral("Statistics pages"));

    grdstats = new QTableWidget(0, static_cast<int>(statHeader().size()), this);
    grdstats->setObjectName(QStringLiteral("grdstats"));
    grdstats->setAccessibleName(QStringLiteral("Class statistics"));
    QStringList headings;
    for (const std::string& heading : statHeader())
        headings << text(heading);
    grdstats->setHorizontalHeaderLabels(headings);
    grdstats->verticalHeader()->hide();
    grdstats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdstats->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdstats->setSelectionMode(QAbstractItemView::SingleSelection);
    grdstats->setTabKeyNavigation(false);
    grdstats->setWordWrap(false);
    grdstats->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdstats->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    chtgrand = chartView(this, "chtgrand", QStringLiteral("Histogram of the grand averages"));
    lblitem = namedLabel(this, QStringLiteral("lblitem"), QStringLiteral("Histo&gram of:"));
    cboitem = new QComboBox(this);
    cboitem->setObjectName(QStringLiteral("cboitem"));
    cboitem->setAccessibleName(QStringLiteral("Histogram of"));
    lblitem->setBuddy(cboitem);
    chtitem = chartView(this, "chtitem", QStringLiteral("Histogram of the chosen item"));

    lblstudent = namedLabel(this, QStringLiteral("lblstudent"), QStringLiteral("&Name:"));
    cbostudent = new QComboBox(this);
    cbostudent->setObjectName(QStringLiteral("cbostudent"));
    cbostudent->setAccessibleName(QStringLiteral("Student"));
    lblstudent->setBuddy(cbostudent);
    chtstudent = chartView(this, "chtstudent",
                           QStringLiteral("The student's category averages and the class means"));

    franeeded = new QGroupBox(QStringLiteral("What does this student need?"), this);
    franeeded->setObjectName(QStringLiteral("franeeded"));
    lblcategory =
        namedLabel(franeeded, QStringLiteral("lblcategory"), QStringLiteral("&Category:"));
    cbocategory = new QComboBox(franeeded);
    cbocategory->setObjectName(QStringLiteral("cbocategory"));
    cbocategory->setAccessibleName(QStringLiteral("Category"));
    for (int c = 1; c <= kCategoryCount; ++c)
        cbocategory->addItem(text(kCategoryNames[c]), c);
    lblcategory->setBuddy(cbocategory);
    lbltarget = namedLabel(franeeded, QStringLiteral("lbltarget"), QStringLiteral("Ta&rget:"));
    txttarget = new QLineEdit(franeeded);
    txttarget->setObjectName(QStringLiteral("txttarget"));
    txttarget->setAccessibleName(QStringLiteral("Target"));
    txttarget->setMaximumWidth(90);
    lbltarget->setBuddy(txttarget);
    lblneeded = namedLabel(franeeded, QStringLiteral("lblneeded"), QString());
    lblneeded->setAccessibleName(QStringLiteral("What the student needs"));
    lblneeded->setWordWrap(true);
    lblneeded->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblneeded->setMinimumHeight(40);

    lblatrisk = namedLabel(this, QStringLiteral("lblatrisk"), QStringLiteral("Students at ris&k:"));
    lstatrisk = new QTreeWidget(this);
    lstatrisk->setObjectName(QStringLiteral("lstatrisk"));
    lstatrisk->setAccessibleName(QStringLiteral("Students at risk"));
    lstatrisk->setRootIsDecorated(false);
    lstatrisk->setColumnCount(3);
    lstatrisk->setHeaderLabels(
        {QStringLiteral("Student"), QStringLiteral("Grand average"), QStringLiteral("Standing")});
    lstatrisk->setAllColumnsShowFocus(true);
    lblatrisk->setBuddy(lstatrisk);

    lblstatus = namedLabel(this, QStringLiteral("lblstatus"), QString());
    lblstatus->setWordWrap(true);
    cmdprint = windowButton(this, QStringLiteral("cmdprint"), QStringLiteral("&Print"));
    cmdpdf = windowButton(this, QStringLiteral("cmdpdf"), QStringLiteral("Save as P&DF..."));
    cmdclose = windowButton(this, QStringLiteral("cmdclose"), QStringLiteral("C&lose"));

    connect(cboitem, &QComboBox::currentIndexChanged, this, &StatisticsWindow::showItemChart);
    connect(cbostudent, &QComboBox::currentIndexChanged, this, [this] {
        showStudentChart();
        showNeeded();
    });
    connect(cbocategory, &QComboBox::currentIndexChanged, this, &StatisticsWindow::showNeeded);
    connect(txttarget, &QLineEdit::textEdited, this, [this] {
        targetEdited_ = true;
        showNeeded();
    });
    connect(cmdprint, &QPushButton::clicked, this, &StatisticsWindow::printSheet);
    connect(cmdpdf, &QPushButton::clicked, this, &StatisticsWindow::saveSheetAsPdf);
    connect(cmdclose, &QPushButton::clicked, this, &QWidget::close);
}

void StatisticsWindow::buildLayout() {
    auto* tablePage = new QWidget(tabstats);
    tablePage->setObjectName(QStringLiteral("pagetable"));
    auto* table = new QVBoxLayout(tablePage);
    table->addWidget(grdstats);

    auto* chartsPage = new QWidget(tabstats);
    chartsPage->setObjectName(QStringLiteral("pagecharts"));
    auto* charts = new QGridLayout(chartsPage);
    auto* choice = new QHBoxLayout;
    choice->addWidget(lblitem);
    choice->addWidget(cboitem, 1);
    charts->addWidget(chtgrand, 1, 0);
    charts->addLayout(choice, 0, 1);
    charts->addWidget(chtitem, 1, 1);
    charts->setRowStretch(1, 1);
    charts->setColumnStretch(0, 1);
    charts->setColumnStretch(1, 1);

    auto* studentPage = new QWidget(tabstats);
    studentPage->setObjectName(QStringLiteral("pagestudent"));
    auto* who = new QHBoxLayout;
    who->addWidget(lblstudent);
    who->addWidget(cbostudent, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(who);
    left->addWidget(chtstudent, 1);
    auto* question = new QGridLayout(franeeded);
    question->addWidget(lblcategory, 0, 0);
    question->addWidget(cbocategory, 0, 1);
    question->addWidget(lbltarget, 0, 2);
    question->addWidget(txttarget, 0, 3);
    question->addWidget(lblneeded, 1, 0, 1, 4);
    question->setColumnStretch(1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(franeeded);
    right->addWidget(lblatrisk);
    right->addWidget(lstatrisk, 1);
    auto* student = new QHBoxLayout(studentPage);
    student->addLayout(left, 3);
    student->addLayout(right, 2);

    tabstats->addTab(tablePage, QStringLiteral("&Table"));
    tabstats->addTab(chartsPage, QStringLiteral("Ch&arts"));
    tabstats->addTab(studentPage, QStringLiteral("St&udent"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblstatus, 1);
    buttons->addWidget(cmdprint);
    buttons->addWidget(cmdpdf);
    buttons->addWidget(cmdclose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabstats, 1);
    layout->addLayout(buttons);

    setTabOrder(tabstats, grdstats);
    setTabOrder(grdstats, cboitem);
    setTabOrder(cboitem, cbostudent);
    setTabOrder(cbostudent, cbocategory);
    setTabOrder(cbocategory, txttarget);
    setTabOrder(txttarget, lstatrisk);
    setTabOrder(lstatrisk, cmdprint);
    setTabOrder(cmdprint, cmdpdf);
    setTabOrder(cmdpdf, cmdclose);
    resize(900, 520);
}

double StatisticsWindow::failLimit() const {
    return effectiveFailLimit(state_.failLimit);
}

void StatisticsWindow::refresh() {
    double limit = failLimit();
    try {
        statistics_ = computeClassStatistics(state_.classRecord(), state_.averageMode, limit);
        const ClassRecord& record = state_.classRecord();
        QString mode = statistics_->mode == AverageMode::Rounded ? QStringLiteral("Rounded")
                                                                 : QStringLiteral("Decimal");
        lblstatus->setText(QStringLiteral("%1 students, %2 averages, failing below %3")
                               .arg(record.studentCount)
                               .arg(mode)
                               .arg(text(formatNumber(limit))));
        setTextColour(lblstatus, palette().color(QPalette::WindowText));
    } catch (const std::exception& error) {
        // The grade book cannot average this class either; what is wrong is
        // said here, where the numbers would be, instead of a box at every
        // change of a grade.
        statistics_.reset();
        lblstatus->setText(QStringLiteral("No statistics: ") + QString::fromUtf8(error.what()));
        setTextColour(lblstatus, kFailing);
    }
    lblstatus->setAccessibleName(lblstatus->text());
    if (!targetEdited_)
        txttarget->setText(text(formatNumber(limit)));
    cmdprint->setEnabled(statistics_.has_value());
    cmdpdf->setEnabled(statistics_.has_value());
    fillTable();
    fillItemChoices();
    showGrandChart();
    fillStudents();
    showNeeded();
    fillAtRisk();
}

void StatisticsWindow::fillTable() {
    grdstats->setRowCount(0);
    if (!statistics_)
        return;
    grdstats->setRowCount(static_cast<int>(statistics_->records.size()));
    for (int row = 0; row < grdstats->rowCount(); ++row) {
        const StatRecord& record = statistics_->records[row];
        std::vector<std::string> fields = statFields(record);
        for (int column = 0; column < static_cast<int>(fields.size()); ++column) {
            auto* item = new QTableWidgetItem(text(fields[column]));
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            if (record.kind != StatItemKind::GradeColumn) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            grdstats->setItem(row, column, item);
        }
    }
}

void StatisticsWindow::fillItemChoices() {
    QString chosen = cboitem->currentText();
    QSignalBlocker quiet(cboitem);
    cboitem->clear();
    if (statistics_) {
        // The category averages first: they are what a teacher looks at
        // most; the grade columns follow in the table's order.
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < static_cast<int>(statistics_->records.size()); ++i) {
                const StatRecord& record = statistics_->records[i];
                StatItemKind wanted =
                    pass == 0 ? StatItemKind::CategoryAverage : StatItemKind::GradeColumn;
                if (record.kind == wanted)
                    cboitem->addItem(text(record.item), i);
            }
    }
    int index = cboitem->findText(chosen);
    cboitem->setCurrentIndex(index >= 0 ? index : 0);
    cboitem->setEnabled(cboitem->count() > 0);
    showItemChart();
}

void StatisticsWindow::showGrandChart() {
    if (!statistics_) {
        replaceChart(chtgrand, emptyChart(QStringLiteral("Grand averages")));
        chtgrand->setAccessibleDescription(QString());
        return;
    }
    QString spoken;
    replaceChart(chtgrand,
                 histogramChart(QStringLiteral("Grand averages"), statistics_->grandRecord().values,
                                statistics_->failLimit, QStringLiteral("students"), &spoken));
    chtgrand->setAccessibleDescription(spoken);
}

void StatisticsWindow::showItemChart() {
    if (!statistics_ || cboitem->currentIndex() < 0) {
        replaceChart(chtitem, emptyChart(QStringLiteral("No category has grades yet")));
        chtitem->setAccessibleDescription(QString());
        return;
    }
    const StatRecord& record = statistics_->records.at(cboitem->currentData().toInt());
    QString spoken;
    QString counted = record.kind == StatItemKind::GradeColumn ? QStringLiteral("grades")
                                                               : QStringLiteral("students");
    replaceChart(chtitem, histogramChart(text(record.item), record.values, statistics_->failLimit,
                                         counted, &spoken));
    chtitem->setAccessibleDescription(spoken);
}

void StatisticsWindow::fillStudents() {
    int chosen = cbostudent->currentIndex();
    {
        QSignalBlocker quiet(cbostudent);
        cbostudent->clear();
        const ClassRecord& record = state_.classRecord();
        for (int s = 0; s < record.studentCount; ++s)
            cbostudent->addItem(text(record.studentNames.at(s)));
        cbostudent->setCurrentIndex(chosen >= 0 && chosen < cbostudent->count() ? chosen : 0);
    }
    showStudentChart();
}

void StatisticsWindow::setSelectedStudent(int student) {
    if (student >= 0 && student < cbostudent->count())
        cbostudent->setCurrentIndex(student);
}

int StatisticsWindow::selectedStudent() const {
    return cbostudent->currentIndex();
}

void StatisticsWindow::showStudentChart() {
    int s = selectedStudent();
    if (!statistics_ || s < 0 || s >= static_cast<int>(statistics_->students.size())) {
        replaceChart(chtstudent, emptyChart(QStringLiteral("Category averages")));
        chtstudent->setAccessibleDescription(QString());
        return;
    }
    const StudentStatistics& student = statistics_->students[s];
    QString name = cbostudent->currentText();
    auto* own = new QBarSet(name);
    own->setColor(kStudent);
    auto* mean = new QBarSet(QStringLiteral("Class mean"));
    mean->setColor(kClassMean);
    QStringList categories;
    QStringList said;
    double highest = 100;
    for (int c = 1; c <= kCategoryCount; ++c) {
        const StatRecord* record = statistics_->categoryRecord(c);
        if (!record)
            continue;
        double average = student.categoryAverages[c];
        *own << average;
        *mean << record->summary.mean;
        categories << text(kCategoryNames[c]);
        highest = std::max({highest, average, record->summary.mean});
        said << text(kCategoryNames[c] + " " + averageText(average) + ", class " +
                     twoDecimals(record->summary.mean));
    }
    auto* series = new QBarSeries;
    series->append(own);
    series->append(mean);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Category averages of ") + name);
    chart->addSeries(series);
    auto* categoryAxis = new QBarCategoryAxis(chart);
    categoryAxis->append(categories);
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    series->attachAxis(categoryAxis);
    auto* points = new QValueAxis(chart);
    points->setRange(0, std::ceil(highest / 10) * 10);
    points->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(points, Qt::AlignLeft);
    series->attachAxis(points);
    replaceChart(chtstudent, chart);
    chtstudent->setAccessibleDescription(said.isEmpty() ? QStringLiteral("No category has grades.")
                                                        : said.join(QStringLiteral("; ")));
}

void StatisticsWindow::showNeeded() {
    auto say = [this](const QString& words) {
        lblneeded->setText(words);
        lblneeded->setAccessibleName(words.isEmpty() ? QStringLiteral("What the student needs")
                                                     : words);
    };
    int s = selectedStudent();
    const ClassRecord& record = state_.classRecord();
    if (s < 0 || s >= record.studentCount) {
        say(QStringLiteral("The class has no students."));
        return;
    }
    double target = failLimit();
    QString typed = txttarget->text().trimmed();
    if (!typed.isEmpty()) {
        auto number = parseNumber(typed.toStdString());
        if (!number) {
            say(QStringLiteral("Type the target as a number, such as 70."));
            return;
        }
        target = *number;
    }
    int category = cbocategory->currentData().toInt();
    try {
        NeededAnswer answer = neededScore(record, s, category, target);
        say(text(neededSentence(record.studentNames.at(s), category, target, answer)) +
            QLatin1Char('.'));
    } catch (const std::exception& error) {
        say(QString::fromUtf8(error.what()));
    }
}

void StatisticsWindow::fillAtRisk() {
    lstatrisk->clear();
    if (!statistics_)
        return;
    const ClassRecord& record = state_.classRecord();
    QString limit = text(formatNumber(statistics_->failLimit));
    QString margin = text(formatNumber(kAtRiskMargin));
    std::vector<AtRiskStudent> list = studentsAtRisk(*statistics_);
    for (const AtRiskStudent& student : list) {
        QString standing = student.below
                               ? QStringLiteral("below ") + limit
                               : QStringLiteral("within %1 points above %2").arg(margin, limit);
        auto* item = new QTreeWidgetItem(lstatrisk, {text(record.studentNames.at(student.student)),
                                                     text(student.shownGrand.toText()), standing});
        item->setData(0, Qt::UserRole, student.student);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        if (student.below)
            for (int column = 0; column < 3; ++column)
                item->setForeground(column, kFailing);
    }
    if (list.empty())
        new QTreeWidgetItem(lstatrisk,
                            {QStringLiteral("No student is below %1 or within %2 points above it.")
                                 .arg(limit, margin)});
    lstatrisk->resizeColumnToContents(0);
    lstatrisk->resizeColumnToContents(1);
}

void StatisticsWindow::printSheet() {
    if (!statistics_ || !confirmPrinterOn(platform_.printer, platform_.messages))
        return;
    platform_.printer.suggestPdfName(pdfName());
    ClassStatistics statistics = *statistics_;
    StatisticsSheetRequest request{classNameFromFileName(state_.currentFileName),
                                   PrintDate::today().dashed()};
    printOrReport(
        platform_.printer, platform_.messages,
        [&](PrintSurface& surface) { composeStatisticsSheet(surface, statistics, request); },
        QStringLiteral("Class Statistics"));
}

QString StatisticsWindow::pdfName() const {
    return proposedPdfPath(state_.currentFileFolder, state_.currentFileName,
                           QStringLiteral("statistics"));
}

void StatisticsWindow::saveSheetAsPdf() {
    if (!statistics_)
        return;
    FileDialog& files = platform_.files;
    files.prepare(QStringLiteral("Save the pages as PDF"), FileDialog::OverwritePrompt, pdfName(),
                  QStringLiteral("PDF files (*.pdf)|*.pdf"));
    try {
        files.showSave();
    } catch (const DialogCancelled&) {
        return;
    }
    QString path = files.fileName();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    ClassStatistics statistics = *statistics_;
    StatisticsSheetRequest request{classNameFromFileName(state_.currentFileName),
                                   PrintDate::today().dashed()};
    try {
        BusyPointer busy;
        printToPdf(path, [&](PrintSurface& surface) {
            composeStatisticsSheet(surface, statistics, request);
        });
    } catch (const std::exception& error) {
        showError(platform_.messages,
                  QStringLiteral("Unable to PRINT this file. ") + QString::fromUtf8(error.what()));
        return;
    }
    platform_.messages.show(QStringLiteral("The statistics were saved as a PDF file:\n") + path,
                            QStringLiteral("Print"), MessageStyle::OkInformation);
}

StatisticsPanel* createStatisticsWindow(const AppState& state, Platform& platform) {
    return new StatisticsWindow(state, platform);
}

} // namespace tallyro
