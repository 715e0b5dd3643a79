#include "core/gradebook/gradeentrysession.h"

#include "core/gradebook/categories.h"

#include <algorithm>

namespace tallyro {

int GradeEntrySession::room(int category) const {
    return kMaxGradesPerCategory - document_.record().gradeCount(category);
}

void GradeEntrySession::start(const std::array<int, kCategorySlots>& quantities) {
    if (!document_.isOpen() || phase_ != Phase::Choosing)
        return;
    quantities_ = quantities;
    phase_ = Phase::Entering;
    category_ = 0;
    quantity_ = 0;
    gradesDone_ = 0;
    advanceCategory();
}

void GradeEntrySession::record(ClassEdit edit) {
    if (!edit.isEmpty())
        edits_.push_back(std::move(edit));
}

std::vector<ClassEdit> GradeEntrySession::takeEdits() {
    std::vector<ClassEdit> taken = std::move(edits_);
    edits_.clear();
    return taken;
}

void GradeEntrySession::advanceCategory() {
    // The counts written on the way to the next category are one step with
    // its reservation.
    const size_t firstEdit = edits_.size();
    walkToNextCategory();
    if (edits_.size() <= firstEdit + 1)
        return;
    const int count = static_cast<int>(edits_.size() - firstEdit);
    ClassEdit joined{edits_.back().description, {}};
    for (size_t i = firstEdit; i < edits_.size(); ++i)
        joined.changes.insert(joined.changes.end(), edits_[i].changes.begin(),
                              edits_[i].changes.end());
    edits_.resize(firstEdit);
    edits_.push_back(std::move(joined));
    document_.joinLastEdits(count);
}

void GradeEntrySession::walkToNextCategory() {
    const ClassRecord& r = document_.record();
    for (;;) {
        ++category_;
        if (category_ > kCategoryCount) {
            phase_ = Phase::Finished;
            return;
        }
        int recorded = r.gradeCount(category_);
        int quantity = std::min(std::max(quantities_[category_], 0), room(category_));
        if (quantity > 0) {
            quantity_ = quantity;
            // The new columns are reserved before any grade is typed.
            lastReserved_ = recorded + quantity;
            record(document_.setGradeCount(category_, lastReserved_,
                                           "reservation of " + std::to_string(quantity) + " " +
                                               categoryDisplayName(r, category_) +
                                               (quantity == 1 ? " grade" : " grades")));
            studentIndex_ = 0;
            studentNumber_ = 1;
            gradesDone_ = 1;
            gradeNumber_ = recorded + 1;
            return;
        }
        // A count the file held as text or blank is written as a number.
        record(document_.setGradeCount(category_, recorded,
                                       "grade count of " + categoryDisplayName(r, category_)));
    }
}

void GradeEntrySession::enter(const Value& grade, bool wholeClass) {
    if (phase_ != Phase::Entering || !document_.isOpen())
        return;
    const int students = document_.studentCount();
    if (wholeClass) {
        // The whole class has this grade number: go on to the next one.
        record(document_.setColumn(category_, gradeNumber_, grade));
        studentNumber_ = students + 1;
    } else {
        record(document_.setGrade(studentIndex_, category_, gradeNumber_, grade));
        ++studentIndex_;
        ++studentNumber_;
    }
    if (studentNumber_ > students) {
        ++gradesDone_;
        ++gradeNumber_;
        studentNumber_ = 1;
        studentIndex_ = 0;
    }
    if (gradesDone_ > quantity_)
        advanceCategory();
}

void GradeEntrySession::follow(const ClassEdit& edit) {
    if (phase_ != Phase::Entering || edit.isEmpty())
        return;
    const CellChange& first = edit.changes.front();
    const int firstNew = lastReserved_ - quantity_ + 1;
    if (first.field != ClassField::Grade || first.category != category_ ||
        first.gradeNumber < firstNew || first.gradeNumber > lastReserved_)
        return;
    const ClassRecord& r = document_.record();
    bool undone = r.grades(first.student, first.category, first.gradeNumber) == first.before;
    bool wholeColumn = edit.changes.size() > 1;
    int student = wholeColumn ? 0 : first.student;
    int gradeNumber = first.gradeNumber;
    if (!undone) {
        student = wholeColumn ? document_.studentCount() : student + 1;
        if (student >= document_.studentCount()) {
            student = 0;
            ++gradeNumber;
        }
        if (gradeNumber > lastReserved_)
            return;
    }
    studentIndex_ = student;
    studentNumber_ = student + 1;
    gradeNumber_ = gradeNumber;
    gradesDone_ = gradeNumber - firstNew + 1;
}

int GradeEntrySession::excuseUnfilled() {
    if (phase_ != Phase::Entering || category_ < 1 || category_ > kCategoryCount ||
        !document_.isOpen())
        return 0;
    const int students = document_.studentCount();
    int marked = 0;
    for (int k = gradeNumber_; k <= lastReserved_; ++k)
        marked += std::max(students - (k == gradeNumber_ ? studentIndex_ : 0), 0);
    record(document_.excuseGrades(category_, gradeNumber_, studentIndex_, lastReserved_));
    phase_ = Phase::Finished;
    return marked;
}

} // namespace tallyro
