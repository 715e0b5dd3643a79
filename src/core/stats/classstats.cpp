#include "core/stats/classstats.h"

#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace tallyro {

namespace {

// A grade as it counts in an average: nothing for "x" and "d", 0 for a cell
// never entered. The category averages are computed first, so any other
// text has already been reported.
std::optional<double> countingGrade(const ClassRecord& record, int student, int category, int k) {
    const Value& grade = record.grades(student, category, k);
    if (grade.isTextEqual("x") || grade.isTextEqual("d"))
        return std::nullopt;
    if (grade.isEmpty() || grade.isNumber())
        return grade.toNumber();
    if (auto number = parseNumber(grade.toTextView()))
        return number;
    throw AveragingError(student, record.studentNames.at(student), category, k, grade.toText());
}

// The grade book shows a Decimal grand average as five characters of text.
// A very small average can leave a cut exponent ("1.5E-") that is no number
// at all; the computed value stands in for it then.
double shownValue(const Value& shown, double computed) {
    return shown.isNumeric() ? shown.toNumber() : computed;
}

// The grade book's order exactly: each category's average, then its
// weight, so the first problem reported is the one the grade book meets.
double weightedSum(const ClassRecord& record, int student, int leaveOut,
                   std::array<double, kCategorySlots>* averages) {
    double grand = 0;
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (c == leaveOut || record.gradeCount(c) == 0)
            continue;
        double average = categoryAverage(record, student, c);
        if (averages)
            (*averages)[c] = average;
        grand += average * categoryWeight(record, student, c) * 0.01;
        if (!std::isfinite(grand))
            throw AveragingError::notFinite(student, record.studentNames.at(student), c);
    }
    return grand;
}

StatRecord makeRecord(std::string item, StatItemKind kind, int category, int column) {
    StatRecord record;
    record.item = std::move(item);
    record.kind = kind;
    record.category = category;
    record.column = column;
    return record;
}

} // namespace

StatSummary summarize(const std::vector<double>& values, double failLimit) {
    StatSummary summary;
    summary.n = static_cast<int>(values.size());
    if (values.empty())
        return summary;
    double sum = 0;
    for (double v : values) {
        sum += v;
        if (v < failLimit)
            ++summary.below;
    }
    summary.mean = sum / summary.n;
    double squares = 0;
    for (double v : values)
        squares += (v - summary.mean) * (v - summary.mean);
    summary.sd = std::sqrt(squares / summary.n);
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    size_t middle = sorted.size() / 2;
    summary.median =
        sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    summary.min = sorted.front();
    summary.max = sorted.back();
    return summary;
}

const StatRecord* ClassStatistics::categoryRecord(int category) const {
    for (const StatRecord& record : records)
        if (record.kind == StatItemKind::CategoryAverage && record.category == category)
            return &record;
    return nullptr;
}

double computedGrandAverage(const ClassRecord& record, int student, int leaveOut) {
    return weightedSum(record, student, leaveOut, nullptr);
}

ClassStatistics computeClassStatistics(const ClassRecord& record, AverageMode mode,
                                       double failLimit) {
    ClassStatistics result;
    result.mode = mode;
    result.failLimit = failLimit;
    for (int s = 0; s < record.studentCount; ++s) {
        StudentStatistics student;
        student.computedGrand = weightedSum(record, s, 0, &student.categoryAverages);
        student.shownGrand = applyAverageMode(student.computedGrand, mode);
        student.grandValue = shownValue(student.shownGrand, student.computedGrand);
        result.students.push_back(student);
    }

    auto add = [&](StatRecord line) {
        line.summary = summarize(line.values, failLimit);
        // Grades each a finite number can still add up past what a double
        // holds; printing "inf" would pass that off as a statistic.
        const StatSummary& s = line.summary;
        for (double value : {s.mean, s.median, s.sd, s.min, s.max})
            if (!std::isfinite(value))
                throw std::overflow_error("The statistics of " + line.item +
                                          " are too large to be numbers; a grade there is far "
                                          "too large.");
        result.records.push_back(std::move(line));
    };
    for (int c = 1; c <= kCategoryCount; ++c) {
        for (int k = 1; k <= record.gradeCount(c); ++k) {
            StatRecord line = makeRecord(kCategoryNames[c] + " " + std::to_string(k),
                                         StatItemKind::GradeColumn, c, k);
            for (int s = 0; s < record.studentCount; ++s)
                if (auto grade = countingGrade(record, s, c, k))
                    line.values.push_back(*grade);
            add(std::move(line));
        }
    }
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (record.gradeCount(c) == 0)
            continue;
        StatRecord line =
            makeRecord(kCategoryNames[c] + " average", StatItemKind::CategoryAverage, c, 0);
        for (const StudentStatistics& student : result.students)
            line.values.push_back(student.categoryAverages[c]);
        add(std::move(line));
    }
    StatRecord grand = makeRecord("Grand average", StatItemKind::GrandAverage, 0, 0);
    for (const StudentStatistics& student : result.students)
        grand.values.push_back(student.grandValue);
    add(std::move(grand));
    return result;
}

std::string twoDecimals(double number) {
    char buffer[400]; // room for %.2f of the largest double
    std::snprintf(buffer, sizeof buffer, "%.2f", number);
    return buffer;
}

std::vector<std::string> statFields(const StatRecord& record) {
    const StatSummary& s = record.summary;
    std::vector<std::string> fields{record.item, std::to_string(s.n)};
    for (double value : {s.mean, s.median, s.sd, s.min, s.max})
        fields.push_back(s.n == 0 ? std::string("-") : twoDecimals(value));
    fields.push_back(std::to_string(s.below));
    return fields;
}

const std::vector<std::string>& statHeader() {
    static const std::vector<std::string> header{"item", "n",   "mean", "median",
                                                 "sd",   "min", "max",  "below"};
    return header;
}

std::string formatStatisticsTable(const ClassStatistics& statistics) {
    auto line = [](const std::vector<std::string>& fields) {
        std::string text;
        for (size_t i = 0; i < fields.size(); ++i)
            text += (i == 0 ? "" : "\t") + fields[i];
        return text + "\n";
    };
    std::string out = line(statHeader());
    for (const StatRecord& record : statistics.records)
        out += line(statFields(record));
    return out;
}

std::vector<AtRiskStudent> studentsAtRisk(const ClassStatistics& statistics) {
    std::vector<AtRiskStudent> list;
    for (size_t s = 0; s < statistics.students.size(); ++s) {
        const StudentStatistics& student = statistics.students[s];
        if (student.grandValue > statistics.failLimit + kAtRiskMargin)
            continue;
        list.push_back({static_cast<int>(s), student.grandValue, student.shownGrand,
                        student.grandValue < statistics.failLimit});
    }
    std::stable_sort(list.begin(), list.end(), [](const AtRiskStudent& a, const AtRiskStudent& b) {
        return a.grandValue < b.grandValue;
    });
    return list;
}

} // namespace tallyro
