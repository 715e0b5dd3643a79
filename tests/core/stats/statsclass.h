// Classes built by hand for the statistics tests.
#pragma once

#include "core/classfile/classrecord.h"

#include <string>
#include <vector>

namespace tallyro::test {

// A class of named students; each category gets its weight and, per
// student, the grade texts ("90", "x", "d", "" for never entered).
class StatsClass {
public:
    explicit StatsClass(std::vector<std::string> names) {
        record.clearToCapacity();
        record.studentCount = static_cast<int>(names.size());
        for (size_t s = 0; s < names.size(); ++s)
            record.studentNames[s] = names[s];
    }
    StatsClass& category(int c, Value weight, std::vector<std::vector<std::string>> grades) {
        record.categoryWeights[c] = std::move(weight);
        record.gradeCounts[c] = Value(grades.empty() ? 0 : static_cast<int>(grades[0].size()));
        for (size_t s = 0; s < grades.size(); ++s)
            for (size_t k = 0; k < grades[s].size(); ++k)
                record.grades(static_cast<int>(s), c, static_cast<int>(k) + 1) =
                    grades[s][k].empty() ? Value() : Value(grades[s][k]);
        return *this;
    }
    ClassRecord record;
};

// The class of tests/data/stats-class.grd: Homework 40 % (an excused, an
// empty and an all-excused-or-dropped student), Quiz 30 %, Weekly Test 50 %
// without grades, Final Exam 20 %: the weights add up to 140, the counting
// ones to 90.
inline StatsClass handClass() {
    StatsClass c({"Adams, Ann", "Baker, Noah", "Cruz, Carla"});
    c.category(1, "40", {{"90", "x", "80"}, {"70", "", "60"}, {"d", "x", "d"}});
    c.category(2, "30", {{"100", "90"}, {"50", "x"}, {"80", "70"}});
    c.category(3, "50", {});
    c.category(8, "20", {{"88"}, {""}, {"x"}});
    return c;
}

} // namespace tallyro::test
