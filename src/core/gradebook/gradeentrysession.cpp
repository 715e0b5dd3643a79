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
