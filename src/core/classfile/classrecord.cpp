#include "core/classfile/classrecord.h"

#include <cmath>
#include <stdexcept>

namespace tallyro {

void GradeTable::resize(int students, int categories, int gradeNumbers) {
    students_ = students;
    categories_ = categories;
    gradeNumbers_ = gradeNumbers;
    lines_.assign(static_cast<size_t>(students) * categories, {});
}

size_t GradeTable::line(int student, int category, int gradeNumber) const {
    if (student < 0 || student >= students_ || category < 0 || category >= categories_ ||
        gradeNumber < 0 || gradeNumber >= gradeNumbers_) {
        throw std::out_of_range("grade (" + std::to_string(student) + ", " +
                                std::to_string(category) + ", " + std::to_string(gradeNumber) +
                                ") is outside the class record");
    }
    return static_cast<size_t>(student) * categories_ + category;
}

Value& GradeTable::at(int student, int category, int gradeNumber) {
    std::vector<Value>& grades = lines_[line(student, category, gradeNumber)];
    if (grades.empty())
        grades.resize(gradeNumbers_);
    return grades[gradeNumber];
}

const Value& GradeTable::at(int student, int category, int gradeNumber) const {
    static const Value kNoGrade;
    const std::vector<Value>& grades = lines_[line(student, category, gradeNumber)];
    return grades.empty() ? kNoGrade : grades[gradeNumber];
}

void ClassRecord::clearToCapacity() {
    categoryNames.assign(kCategorySlots, std::string());
    categoryWeights.assign(kCategorySlots, Value());
    gradeCounts.assign(kCategorySlots, Value());
    grandAverages.assign(kStudentSlots, Value());
    grades.resize(kStudentSlots, kCategorySlots, kGradeSlots);
    studentNames.assign(kStudentSlots, std::string());
    studentCount = 0;
}

void ClassRecord::clearToNothing() {
    categoryNames.assign(1, std::string());
    categoryWeights.assign(1, Value());
    gradeCounts.assign(1, Value());
    grandAverages.assign(1, Value());
    grades.resize(1, 1, 1);
    studentNames.assign(1, std::string());
    // An emptied record holds no student, so nothing can index past it.
    studentCount = 0;
}

int ClassRecord::gradeCount(int category) const {
    if (category < 0 || category >= static_cast<int>(gradeCounts.size()))
        return 0;
    const Value& count = gradeCounts[category];
    if (!count.isNumeric())
        return 0;
    double number = count.toNumber();
    if (!(number > 0))
        return 0;
    if (number > kMaxGradesPerCategory)
        return kMaxGradesPerCategory;
    return static_cast<int>(std::floor(number));
}

} // namespace tallyro
