#pragma once

#include "core/app/appstate.h"
#include "core/stats/classstats.h"
#include "ui/platform/platform.h"
#include "ui/stats/statisticspanel.h"

#include <QWidget>

#include <optional>

class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

namespace tallyro {

// The statistics window: the class's statistics table, the histograms of the
// grand averages and of a chosen category or grade column, one student's
// category averages beside the class means, what that student needs on the
// next grade, the students at risk, and the printed statistics sheet.
class StatisticsWindow : public QWidget, public StatisticsPanel {
    Q_OBJECT
public:
    StatisticsWindow(const AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Computes everything again from the class record, the averaging mode and
    // the failing limit; the choices in the window are kept where they still
    // exist.
    void refresh() override;

    // The student (roster index) the student chart and the question are about.
    void setSelectedStudent(int student) override;
    QWidget* widget() override { return this; }
    int selectedStudent() const;

    // Prints the table and the grand-average histogram on one sheet, after
    // asking whether the printer is on; the other writes them to a PDF file.
    void printSheet();
    void saveSheetAsPdf();

    // The statistics on show; nothing when a grade could not be averaged.
    const std::optional<ClassStatistics>& statistics() const { return statistics_; }

    QTabWidget* tabstats;
    QTableWidget* grdstats;
    QChartView* chtgrand;
    QLabel* lblitem;
    QComboBox* cboitem;
    QChartView* chtitem;
    QLabel* lblstudent;
    QComboBox* cbostudent;
    QChartView* chtstudent;
    QGroupBox* franeeded;
    QLabel* lblcategory;
    QComboBox* cbocategory;
    QLabel* lbltarget;
    QLineEdit* txttarget;
    QLabel* lblneeded;
    QLabel* lblatrisk;
    QTreeWidget* lstatrisk;
    QLabel* lblstatus;
    QPushButton* cmdprint;
    QPushButton* cmdpdf;
    QPushButton* cmdclose;

private:
    void buildControls();
    void buildLayout();
    void fillTable();
    void fillItemChoices();
    void showGrandChart();
    void showItemChart();
    void fillStudents();
    void showStudentChart();
    void showNeeded();
    void fillAtRisk();
    double failLimit() const;
    // The PDF file proposed for the sheet: "ROOM5 statistics.pdf" beside the class.
    QString pdfName() const;

    const AppState& state_;
    Platform& platform_;
    std::optional<ClassStatistics> statistics_;
    bool targetEdited_ = false;
};

// A new statistics window, as the module makes it.
StatisticsPanel* createStatisticsWindow(const AppState& state, Platform& platform);

} // namespace tallyro
