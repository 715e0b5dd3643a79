#pragma once

#include "core/app/savedstate.h"
#include "core/classfile/classrecord.h"
#include "core/gradebook/averaging.h"

#include <functional>
#include <string>
#include <vector>

namespace tallyro {

// ClassDocument: the one owner of the open class. ClassEdit: a named change of
// it that can be taken back. ClassDocumentListener: told after every change.

// A part of the class record that an edit changes.
enum class ClassField { CategoryName, Weight, GradeCount, Grade, StudentName, StudentCount };

// One cell before and after an edit. Names and category names are kept as
// text values.
struct CellChange {
    ClassField field;
    int student = 0;
    int category = 0;
    int gradeNumber = 0;
    Value before;
    Value after;
};

// A change the teacher made, in words ("drop of Quiz 3") and cell by cell, so
// that it can be undone and done again exactly.
struct ClassEdit {
    std::string description;
    std::vector<CellChange> changes;

    bool isEmpty() const { return changes.empty(); }
};

// What listeners are told: a whole new class (opened, emptied, closed) or one
// edit done, undone or redone.
struct ClassChange {
    bool reset = false;
    const ClassEdit* edit = nullptr;
};

class ClassDocumentListener {
public:
    virtual ~ClassDocumentListener() = default;
    virtual void classChanged(const ClassChange& change) = 0;
};

class ClassDocument {
public:
    const ClassRecord& record() const { return record_; }
    // True while a class is held (the record has its full size).
    bool isOpen() const { return record_.hasCapacity(); }
    int studentCount() const { return record_.studentCount; }

    // ---- A new history: opening, emptying, saving ---------------------------
    // Each of these ends the undo history; what is loaded counts as saved.

    // Every array at full size and empty: ready for a file or a new roster.
    void clearToCapacity();
    // No class is held.
    void clearToNothing();
    // Reads a grade file. On failure the record holds nothing and the error
    // (a std::exception with a line for the teacher) is thrown on.
    void load(const std::string& path);
    // Takes a record read or built elsewhere (a recovered class); with
    // unsaved true it counts as changes not yet saved.
    void adopt(ClassRecord record, bool unsaved);
    // Writes the class to its file; afterwards there are no unsaved changes.
    void save(const std::string& path);
    // Writes a copy elsewhere (Save As, Backup); what is unsaved stays so.
    void saveCopy(const std::string& path) const;

    // ---- Edits ---------------------------------------------------------------
    // Each validates, applies, tells the listeners and returns what it did so
    // that the caller can keep it for undo. An edit that changes nothing
    // returns an empty ClassEdit and tells nobody. A request outside the class
    // (no such student, grade or category) throws std::out_of_range.

    // A weight that is not a positive number cannot take part: it becomes 0.
    ClassEdit setWeight(int category, const Value& weight);
    // One grade of one student; only a cell of a recorded column.
    ClassEdit setGrade(int student, int category, int gradeNumber, const Value& grade);
    // Every student's grade in a column becomes "d": the column stays in
    // place and no longer counts for anyone.
    ClassEdit dropColumn(int category, int gradeNumber);
    // The whole class gets the same grade in a column.
    ClassEdit setColumn(int category, int gradeNumber, const Value& grade);
    // The category's recorded grade count becomes count (grade entry reserves
    // its new columns before any grade is typed).
    ClassEdit setGradeCount(int category, int count, std::string description);
    // The given grades of a column become "x" (excused), from student
    // firstStudent on in column from, and every student in later columns up
    // to and including column to.
    ClassEdit excuseGrades(int category, int from, int firstStudent, int to);
    // A student appended with "x" in every recorded grade. Throws
    // std::length_error when the class already has 45.
    ClassEdit addStudent(const std::string& name);
    // The roster as the roster editor lists it, in list order.
    ClassEdit setRoster(const std::vector<std::string>& names, std::string description);
    // A new grade column at the end of a category, one grade per student in
    // roster order. Throws std::length_error when the category has 45.
    ClassEdit appendColumn(int category, const std::vector<Value>& grades, std::string description);

    // The last count edits were joined into one step by whoever keeps the
    // history: they count as one change.
    void joinLastEdits(int count) {
        for (int i = 1; i < count; ++i)
            saved_.undone();
    }

    // Takes an edit back, or does it again, in the order they were made.
    void undo(const ClassEdit& edit);
    void redo(const ClassEdit& edit);

    // ---- Unsaved changes ------------------------------------------------------
    // Derived from the edits done since the last load or save: undoing back
    // to the saved state means there are none.
    bool isModified() const { return saved_.isModified(); }
    // The current state is the one on disk.
    void markSaved();

    // ---- What the grade book shows (derived, not edits) ----------------------
    // The category names every list and grid shows.
    void setgradetypes();
    // A weight read from a file that is not a positive number shows, and is
    // saved, as 0; as in the grade book, this is not a change of the teacher's.
    void normalizeWeights();
    // A class whose roster is being typed has every category at weight 0 and
    // no grades; it is how the new class starts, not a change of the teacher's.
    void startNewRoster();
    // The averages of one student, storing the grand average; throws
    // AveragingError as the averaging does.
    StudentAverages computeAverages(int student, AverageMode mode);
    void computeAllGrandAverages(AverageMode mode);

    void addListener(ClassDocumentListener* listener);
    void removeListener(ClassDocumentListener* listener);

private:
    // Applies a change worked out on a copy of the record, cell by cell.
    ClassEdit perform(std::string description, const std::function<void(ClassRecord&)>& change);
    void apply(const ClassEdit& edit, bool forward);
    void resetHistory(bool unsaved = false);
    void notify(const ClassChange& change);
    void requireGrade(int student, int category, int gradeNumber) const;
    void requireColumn(int category, int gradeNumber) const;

    ClassRecord record_;
    DocumentListeners<ClassDocumentListener> listeners_;
    SavedState saved_;
};

// True for a weight that takes part in the averages: a positive number.
bool weightCounts(const Value& weight);

} // namespace tallyro
