#pragma once

#include "core/classfile/classrecord.h"

#include <array>
#include <stdexcept>
#include <string>

namespace tallyro {

// 1 = Decimal (the grand average cut to five characters), 0 = Rounded.
enum class AverageMode { Rounded = 0, Decimal = 1 };

inline AverageMode averageModeFrom(int averageMode) {
    return averageMode == 0 ? AverageMode::Rounded : AverageMode::Decimal;
}

// A grade or weight that cannot take part in an average: it names the student,
// the category, the grade number (0 for a weight) and the offending text. It
// also stands for an average too large to be a number (a grade of 1e308 in a
// category weighted 100): such an average is refused, never shown as "Infin".
class AveragingError : public std::runtime_error {
public:
    AveragingError(int student, std::string studentName, int category, int gradeNumber,
                   std::string text);

    // The average of the category (or the grand average once that category
    // is added in) is not a finite number.
    static AveragingError notFinite(int student, const std::string& studentName, int category);

    bool isNotFinite() const { return notFinite_; }

    int student() const { return student_; }
    int category() const { return category_; }
    int gradeNumber() const { return gradeNumber_; }
    const std::string& text() const { return text_; }

private:
    int student_;
    int category_;
    int gradeNumber_;
    std::string text_;
    bool notFinite_ = false;

    AveragingError(std::string description, int student, int category);
};

// What one student's averages look like after a computation.
struct StudentAverages {
    // Category averages 1..11 (0 for a category without grades).
    std::array<double, kCategorySlots> categoryAverages{};
    // The grand average as stored: a number in Rounded mode, text in Decimal.
    Value grandAverage;
};

// Averages of one category of one student: 0 without grades, 100 when every
// grade is excused or dropped, else the mean of the counting grades (an empty
// cell counts as a 0). Throws AveragingError for any other text and for an
// average that is not a finite number.
double categoryAverage(const ClassRecord& record, int student, int category);

// A category's weight as the grand average counts it (empty is 0). Throws
// AveragingError for a weight that is not a number.
double categoryWeight(const ClassRecord& record, int student, int category);

// The grand average in the given mode: Rounded gives a whole number (.5 rounds
// up), Decimal the first five characters of the number's text.
Value applyAverageMode(double grandAverage, AverageMode mode);

// The first five characters of a number's text, as every average is shown.
std::string averageText(double average);

// Computes one student's category averages and grand average and stores the
// grand average into record.grandAverages[student].
StudentAverages computeAverages(ClassRecord& record, int student, AverageMode mode);

// Computes and stores every student's grand average in the given mode
// (averageMode 0 = Rounded, anything else Decimal).
void computeAllGrandAverages(ClassRecord& record, int averageMode);

} // namespace tallyro
