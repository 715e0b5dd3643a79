#pragma once

#include "core/gradebook/averaging.h"

#include <array>
#include <string>
#include <vector>

namespace tallyro {

// StatSummary: count, mean, median, spread, extremes and failures of values.
// StudentStatistics: one student's averages as the statistics use them.
// StatRecord: one line of the class statistics (a grade column, a category's
// averages or the grand averages) with the values it was computed over.
// ClassStatistics: every line for a class, and its students' averages.

struct StatSummary {
    int n = 0;
    double mean = 0;
    double median = 0;
    double sd = 0; // population standard deviation (divides by n)
    double min = 0;
    double max = 0;
    int below = 0; // values below the failing limit
};

// The summary of values taken in the given (roster) order.
StatSummary summarize(const std::vector<double>& values, double failLimit);

enum class StatItemKind { GradeColumn, CategoryAverage, GrandAverage };

struct StatRecord {
    std::string item; // "Quiz 3", "Quiz average", "Grand average"
    StatItemKind kind = StatItemKind::GrandAverage;
    int category = 0; // 1..11; 0 for the grand average
    int column = 0;   // grade number 1..count for a grade column, else 0
    // For a grade column only the counting grades; for averages one value
    // per student in roster order.
    std::vector<double> values;
    StatSummary summary;
};

struct StudentStatistics {
    // Category averages 1..11 as computed (not cut to five characters); 0
    // for a category without grades.
    std::array<double, kCategorySlots> categoryAverages{};
    // The weighted sum before the averaging mode is applied.
    double computedGrand = 0;
    // The grand average as the grade book shows it in the mode.
    Value shownGrand;
    // The number the shown grand average stands for.
    double grandValue = 0;
};

struct ClassStatistics {
    AverageMode mode = AverageMode::Decimal;
    double failLimit = 70;
    std::vector<StudentStatistics> students; // roster order
    std::vector<StatRecord> records;         // grade columns, category averages, grand

    // The record of a category's averages, or nullptr when it has no grades.
    const StatRecord* categoryRecord(int category) const;
    const StatRecord& grandRecord() const { return records.back(); }
};

// The weighted sum of a student's category averages, as the grade book adds
// it before applying the mode; leaveOut (1..11) leaves that category out.
// Throws AveragingError for a grade or weight that cannot be averaged.
double computedGrandAverage(const ClassRecord& record, int student, int leaveOut = 0);

// Every statistic of the class, with the averaging of the grade book. Throws
// AveragingError naming the first grade (roster order, then categories) that
// cannot be averaged.
ClassStatistics computeClassStatistics(const ClassRecord& record, AverageMode mode,
                                       double failLimit);

// "12.35" as C's %.2f prints it.
std::string twoDecimals(double number);

// The eight fields of a record: item, n, then mean, median, sd, min, max
// with two decimals ("-" each when n is 0), then below.
std::vector<std::string> statFields(const StatRecord& record);

// The tab-separated header "item\tn\tmean\tmedian\tsd\tmin\tmax\tbelow".
const std::vector<std::string>& statHeader();

// The header and every record, tab-separated, one line each.
std::string formatStatisticsTable(const ClassStatistics& statistics);

// A student at risk: below the failing limit, or at most five points above.
struct AtRiskStudent {
    int student = 0;
    double grandValue = 0;
    Value shownGrand;
    bool below = false; // below the limit, rather than close above it
};

inline constexpr double kAtRiskMargin = 5;

// Every student at risk, lowest grand average first (roster order on ties).
std::vector<AtRiskStudent> studentsAtRisk(const ClassStatistics& statistics);

} // namespace tallyro
