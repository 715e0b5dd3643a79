// The biggest class the program can hold, shared by the benchmarks so that
// their figures describe the same class: every student slot filled, the
// categories evenly weighted, each holding its full number of grades.
#pragma once

#include "core/classfile/classrecord.h"
#include "core/gradebook/categories.h"

#include <string>

namespace tallyro::bench {

enum class FullClassGrades {
    // Whole numbers from 50 to 99.
    Whole,
    // Numbers from 50.5 to 99.5, with an excused "x" where the pattern gives
    // 0: the grade file reader and the averaging see every kind of grade.
    HalvesAndExcused,
};

inline void fillFullClass(ClassRecord& record, FullClassGrades kind = FullClassGrades::Whole) {
    record.clearToCapacity();
    setgradetypes(record);
    record.studentCount = kStudentSlots;
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(std::to_string(100 / kCategoryCount));
        record.gradeCounts[c] = Value(kMaxGradesPerCategory);
    }
    for (int s = 0; s < kStudentSlots; ++s) {
        record.studentNames[s] = "Student Number " + std::to_string(s + 1);
        for (int c = 1; c <= kCategoryCount; ++c) {
            for (int k = 1; k <= kMaxGradesPerCategory; ++k) {
                int n = (s * 7 + c * 13 + k * 5) % 50;
                if (kind == FullClassGrades::Whole)
                    record.grades(s, c, k) = Value(std::to_string(50 + n));
                else
                    record.grades(s, c, k) =
                        n == 0 ? Value("x") : Value(std::to_string(50 + n) + ".5");
            }
        }
    }
}

inline ClassRecord fullClass(FullClassGrades kind = FullClassGrades::Whole) {
    ClassRecord record;
    fillFullClass(record, kind);
    return record;
}

} // namespace tallyro::bench
