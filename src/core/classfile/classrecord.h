#pragma once

#include "core/classfile/value.h"

#include <string>
#include <vector>

namespace tallyro {

// Capacity of a class: student slots, categories (1..11 used) and grade
// columns per category (1..45 used). Index 0 of every category array and grade
// number 0 exist but are never used.
inline constexpr int kStudentSlots = 46;
inline constexpr int kMaxRosterStudents = 45;
inline constexpr int kCategorySlots = 12;
inline constexpr int kCategoryCount = 11;
inline constexpr int kGradeSlots = 46;
inline constexpr int kMaxGradesPerCategory = 45;

// The grades of every student: [student][category][grade number]. Access is
// bounds-checked because indices come from files and from windows alike.
class GradeTable {
public:
    void resize(int students, int categories, int gradeNumbers);

    Value& at(int student, int category, int gradeNumber);
    const Value& at(int student, int category, int gradeNumber) const;
    Value& operator()(int student, int category, int gradeNumber) {
        return at(student, category, gradeNumber);
    }
    const Value& operator()(int student, int category, int gradeNumber) const {
        return at(student, category, gradeNumber);
    }

    int students() const { return students_; }
    int categories() const { return categories_; }
    int gradeNumbers() const { return gradeNumbers_; }

private:
    size_t line(int student, int category, int gradeNumber) const;

    int students_ = 0;
    int categories_ = 0;
    int gradeNumbers_ = 0;
    // One line of grade numbers per student and category, allocated on its
    // first write: a class fills a small part of its 25,000 cells, and
    // touching every one of them cost each open a megabyte of fresh memory.
    // A line, once allocated, never moves, so a reference from at() stays
    // good until the next resize.
    std::vector<std::vector<Value>> lines_;
};

// One class's grade book in memory.
struct ClassRecord {
    std::vector<std::string> categoryNames;
    std::vector<Value> categoryWeights;
    std::vector<Value> gradeCounts;
    GradeTable grades;
    std::vector<Value> grandAverages;
    std::vector<std::string> studentNames;
    int studentCount = 0;

    ClassRecord() { clearToNothing(); }

    // Every array at full size and empty, ready to be filled.
    void clearToCapacity();
    // Every array down to its single element 0: no class is held.
    void clearToNothing();

    bool hasCapacity() const { return studentNames.size() == kStudentSlots; }

    // The grade count of a category as a whole number; empty counts as 0.
    int gradeCount(int category) const;
};

enum class ClearTo { Capacity, Nothing };

inline void clearClassRecord(ClassRecord& record, ClearTo to) {
    if (to == ClearTo::Capacity)
        record.clearToCapacity();
    else
        record.clearToNothing();
}

} // namespace tallyro
