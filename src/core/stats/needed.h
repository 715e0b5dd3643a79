#pragma once

#include "core/gradebook/categories.h"

#include "core/classfile/classrecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallyro {

// NeededAnswer: what one more grade in a category must be for a student's
// grand average to reach a target.

enum class NeededKind {
    Needed,       // score holds the grade needed
    Reached,      // the target is reached already, or any grade reaches it
    NotReachable, // the category has no weight, so no grade can help
};

struct NeededAnswer {
    NeededKind kind = NeededKind::NotReachable;
    double score = 0; // rounded up to two decimals; may be above 100
};

// The score one more grade in category (1..11) must have so that the
// student's computed grand average (before the mode) reaches target, the new
// grade counting in the category average like any other. Throws
// AveragingError for a grade or weight that cannot be averaged, and
// std::out_of_range for a student or category outside the class.
NeededAnswer neededScore(const ClassRecord& record, int student, int category, double target);

// The command line's line: "needed 78.5", "reached" or "not reachable".
std::string neededLine(const NeededAnswer& answer);

// The answer in words: "Baker, Noah needs 78.5 or more on the next Quiz to
// reach 70".
std::string neededSentence(const std::string& studentName, int category, double target,
                           const NeededAnswer& answer);

// A number rounded up to two decimals; a value a hair above a whole
// hundredth because of binary arithmetic stays on that hundredth.
double roundUpToHundredths(double number);

} // namespace tallyro
