#include "core/stats/needed.h"

#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"
#include "core/stats/classstats.h"

#include <cctype>
#include <cmath>
#include <stdexcept>

namespace tallyro {

double roundUpToHundredths(double number) {
    double hundredths = number * 100;
    double nearest = std::round(hundredths);
    if (std::fabs(hundredths - nearest) <= 1e-9 * std::max(1.0, std::fabs(hundredths)))
        return nearest / 100;
    return std::ceil(hundredths) / 100;
}

NeededAnswer neededScore(const ClassRecord& record, int student, int category, double target) {
    if (student < 0 || student >= record.studentCount)
        throw std::out_of_range("student " + std::to_string(student + 1) + " is not in the class");
    if (category < 1 || category > kCategoryCount)
        throw std::out_of_range("category " + std::to_string(category) + " does not exist");

    if (computedGrandAverage(record, student) >= target)
        return {NeededKind::Reached, 0};

    const Value& weightValue = record.categoryWeights.at(category);
    if (!weightValue.isEmpty() && !weightValue.isNumeric())
        throw AveragingError(student, record.studentNames.at(student), category, 0,
                             weightValue.toText());
    double weight = weightValue.toNumber();
    // A weight of 0 adds nothing whatever the grade; a negative one would
    // lower the average as the grade rises, so no grade helps there either.
    if (weight <= 0)
        return {NeededKind::NotReachable, 0};

    double sum = 0;
    int counted = 0;
    for (int k = 1; k <= record.gradeCount(category); ++k) {
        const Value& grade = record.grades(student, category, k);
        if (grade.isTextEqual("x") || grade.isTextEqual("d"))
            continue;
        // categoryAverage above (through the grand average) has already
        // rejected any grade that is not a number.
        sum += grade.isEmpty() || grade.isNumber() ? grade.toNumber()
                                                   : *parseNumber(grade.toTextView());
        ++counted;
    }
    double without = computedGrandAverage(record, student, category);
    double score = (target - without) * 100 / weight * (counted + 1) - sum;
    if (score <= 0)
        return {NeededKind::Reached, 0};
    return {NeededKind::Needed, roundUpToHundredths(score)};
}

std::string neededLine(const NeededAnswer& answer) {
    switch (answer.kind) {
    case NeededKind::Needed:
        return "needed " + formatNumber(answer.score);
    case NeededKind::Reached:
        return "reached";
    case NeededKind::NotReachable:
        break;
    }
    return "not reachable";
}

std::string neededSentence(const std::string& studentName, int category, double target,
                           const NeededAnswer& answer) {
    const std::string& name = kCategoryNames.at(category);
    std::string goal = formatNumber(target);
    switch (answer.kind) {
    case NeededKind::Needed: {
        std::string sentence = studentName + " needs " + formatNumber(answer.score) +
                               " or more on the next " + name + " to reach " + goal;
        if (answer.score > 100)
            sentence += " (more than 100 points)";
        return sentence;
    }
    case NeededKind::Reached:
        return studentName + " reaches " + goal + " already";
    case NeededKind::NotReachable:
        break;
    }
    return studentName + " cannot reach " + goal + " with the next " + name + " grade: " + name +
           " has no weight";
}

} // namespace tallyro
