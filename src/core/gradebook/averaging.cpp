#include "core/gradebook/averaging.h"

#include "core/classfile/errortext.h"
#include "core/gradebook/categories.h"

#include <cmath>

namespace tallyro {

namespace {

std::string whose(const std::string& studentName, int category) {
    return "of " + (studentName.empty() ? std::string("a student") : shownValue(studentName)) +
           " in " + kCategoryNames.at(category);
}

std::string describe(const std::string& studentName, int category, int gradeNumber,
                     const std::string& text) {
    if (gradeNumber == 0)
        return "The weight " + quotedValue(text) + " of " + kCategoryNames.at(category) +
               " is not a number.";
    return "The grade " + quotedValue(text) + " " + whose(studentName, category) + ", grade " +
           std::to_string(gradeNumber) + ", is not a number, \"x\" or \"d\".";
}

} // namespace

double categoryWeight(const ClassRecord& record, int student, int category) {
    const Value& weight = record.categoryWeights.at(category);
    if (!weight.isEmpty() && !weight.isNumeric())
        throw AveragingError(student, record.studentNames.at(student), category, 0,
                             weight.toText());
    return weight.toNumber();
}

AveragingError::AveragingError(int student, std::string studentName, int category, int gradeNumber,
                               std::string text)
    : std::runtime_error(oneLineDescription(describe(studentName, category, gradeNumber, text))),
      student_(student), category_(category), gradeNumber_(gradeNumber), text_(std::move(text)) {}

AveragingError::AveragingError(std::string description, int student, int category)
    : std::runtime_error(oneLineDescription(description)), student_(student), category_(category),
      gradeNumber_(0), notFinite_(true) {}

AveragingError AveragingError::notFinite(int student, const std::string& studentName,
                                         int category) {
    return AveragingError("The average " + whose(studentName, category) +
                              " is too large to be a number; a grade or the weight there is "
                              "far too large.",
                          student, category);
}

double categoryAverage(const ClassRecord& record, int student, int category) {
    int count = record.gradeCount(category);
    if (count == 0)
        return 0;
    double sum = 0;
    int excluded = 0;
    for (int k = 1; k <= count; ++k) {
        const Value& grade = record.grades(student, category, k);
        if (grade.isTextEqual("x") || grade.isTextEqual("d")) {
            ++excluded;
        } else if (grade.isEmpty() || grade.isNumber()) {
            sum += grade.toNumber();
        } else if (auto number = parseNumber(grade.toTextView())) {
            sum += *number;
        } else {
            throw AveragingError(student, record.studentNames.at(student), category, k,
                                 grade.toText());
        }
    }
    if (excluded == count)
        return 100;
    double average = sum / (count - excluded);
    if (!std::isfinite(average))
        throw AveragingError::notFinite(student, record.studentNames.at(student), category);
    return average;
}

std::string averageText(double average) {
    return formatNumber(average).substr(0, 5);
}

Value applyAverageMode(double grandAverage, AverageMode mode) {
    if (mode == AverageMode::Rounded) {
        double whole = std::floor(grandAverage);
        return Value(grandAverage + 0.5 >= whole + 1 ? std::floor(grandAverage + 1) : whole);
    }
    return Value(averageText(grandAverage));
}

StudentAverages computeAverages(ClassRecord& record, int student, AverageMode mode) {
    if (student < 0 || student >= record.studentCount ||
        student >= static_cast<int>(record.grandAverages.size())) {
        throw std::out_of_range("student " + std::to_string(student) + " is not in the class");
    }
    StudentAverages result;
    record.grandAverages[student] = Value(0);
    double grand = 0;
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (record.gradeCount(c) == 0)
            continue;
        double average = categoryAverage(record, student, c);
        result.categoryAverages[c] = average;
        grand += average * categoryWeight(record, student, c) * 0.01;
        if (!std::isfinite(grand))
            throw AveragingError::notFinite(student, record.studentNames.at(student), c);
    }
    result.grandAverage = applyAverageMode(grand, mode);
    record.grandAverages[student] = result.grandAverage;
    return result;
}

void computeAllGrandAverages(ClassRecord& record, int averageMode) {
    AverageMode mode = averageModeFrom(averageMode);
    for (int s = 0; s < record.studentCount; ++s)
        computeAverages(record, s, mode);
}

} // namespace tallyro
