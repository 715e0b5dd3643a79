#pragma once

#include "core/app/savedstate.h"
#include "core/lessons/lessonplan.h"

#include <string>
#include <vector>

namespace tallyro {

// LessonDocument: the one owner of the open week of plans. LessonEdit: a
// named change of plan texts that can be taken back. LessonDocumentListener:
// told after every change.

// A plan text (index 10 * day + period) before and after an edit.
struct LessonTextChange {
    int index = 0;
    std::string before;
    std::string after;
};

struct LessonEdit {
    std::string description;
    std::vector<LessonTextChange> changes;

    bool isEmpty() const { return changes.empty(); }
    // Typing on in the same box: this edit takes the other's end state.
    bool absorb(const LessonEdit& later);
};

struct LessonChange {
    bool reset = false;
    const LessonEdit* edit = nullptr;
};

class LessonDocumentListener {
public:
    virtual ~LessonDocumentListener() = default;
    virtual void lessonsChanged(const LessonChange& change) = 0;
};

class LessonDocument {
public:
    const LessonPlan& plan() const { return plan_; }
    bool isOpen() const { return plan_.hasCapacity(); }

    // ---- A new history -----------------------------------------------------
    void clearToCapacity();
    void clearToNothing();
    // Reads a lesson file; on failure nothing is held and the error is thrown on.
    void load(const std::string& path);
    // A new week's period names (from the defaults, a file or the teacher):
    // the week starts over with empty plans and nothing unsaved.
    void startWeek(const std::vector<std::string>& periodNames);
    // Takes a week read elsewhere (a recovered one).
    void adopt(LessonPlan plan, bool unsaved);
    void save(const std::string& path);
    void saveCopy(const std::string& path) const;

    // ---- Edits -------------------------------------------------------------
    // One plan box's text. Double quotes, which the file cannot hold, become
    // apostrophes.
    LessonEdit setLessonText(int index, const std::string& text);
    // "&Clear": every plan of the week emptied; the period names stay.
    LessonEdit clearPlans();

    void undo(const LessonEdit& edit);
    void redo(const LessonEdit& edit);

    // The last edit was typing on in the same box and joins the step before
    // it: the two count as one change. Never across a save.
    bool canJoinLastEdit() const { return !saved_.savedBeforeLastEdit(); }
    void joinLastEdit() { saved_.undone(); }

    bool isModified() const { return saved_.isModified(); }
    void markSaved() { saved_.markSaved(); }

    void addListener(LessonDocumentListener* listener) { listeners_.add(listener); }
    void removeListener(LessonDocumentListener* listener) { listeners_.remove(listener); }

private:
    LessonEdit perform(LessonEdit edit);
    void apply(const LessonEdit& edit, bool forward);
    void notify(const LessonChange& change);

    LessonPlan plan_;
    DocumentListeners<LessonDocumentListener> listeners_;
    SavedState saved_;
};

} // namespace tallyro
