#pragma once

#include "core/gradebook/classdocument.h"

#include <array>
#include <string>
#include <vector>

namespace tallyro {

// GradeEntrySession: the walk of grade entry through the class — which
// category, grade number and student come next — with every grade stored
// through the class document.
class GradeEntrySession {
public:
    enum class Phase { Choosing, Entering, Finished };

    explicit GradeEntrySession(ClassDocument& document) : document_(document) {}

    // How many new grades a category can still take (45 in all).
    int room(int category) const;

    // Continue: quantities[c] new grades for category c (1..11; 0 for none).
    // The walk starts at the first category that gets any; each category's
    // new columns are reserved as the walk reaches it.
    void start(const std::array<int, kCategorySlots>& quantities);

    // Stores one grade for the current student and moves on; with
    // wholeClass every student gets it and the walk goes to the next grade.
    void enter(const Value& grade, bool wholeClass);

    // Grade entry closed half-way: the reserved cells not yet reached would
    // count as zeros, so they become "x". Returns how many were marked.
    int excuseUnfilled();

    Phase phase() const { return phase_; }
    // The category being entered (0 before the start, 12 after the last).
    int category() const { return category_; }
    int gradeNumber() const { return gradeNumber_; }
    // The student whose grade comes next: index into the roster, and the
    // number the window shows (from 1).
    int studentIndex() const { return studentIndex_; }
    int studentNumber() const { return studentNumber_; }

    // A grade of the category being entered was undone or redone: the walk
    // goes back to the cell undone, or on past the cell redone, so the next
    // grade typed lands where the teacher expects.
    void follow(const ClassEdit& edit);

    // Every change made so far, in order, for whoever keeps the undo history.
    std::vector<ClassEdit> takeEdits();

private:
    void advanceCategory();
    void walkToNextCategory();
    void record(ClassEdit edit);

    ClassDocument& document_;
    std::array<int, kCategorySlots> quantities_{};
    Phase phase_ = Phase::Choosing;
    int category_ = 0;
    int quantity_ = 0;
    int gradeNumber_ = 0;
    int studentIndex_ = 0;
    int studentNumber_ = 0;
    int gradesDone_ = 0;
    int lastReserved_ = 0;
    std::vector<ClassEdit> edits_;
};

} // namespace tallyro
