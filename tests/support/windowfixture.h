// Pieces the window tests share: the doubles a window talks to, and the
// classes and weeks they open it over.
#pragma once

#include "core/app/appstate.h"
#include "core/lessons/lessonfile.h"
#include "support/scriptedplatform.h"

#include <functional>
#include <string>

namespace tallyro::test {

// The program's state, the scripted services and a recording main window. A
// fixture derives from it, so the window it adds as a member of its own is
// built after these and deleted before them.
struct WindowDoubles {
    AppState state;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    RecordingShell shell;
};

// Sets up the class a test starts from, as if it had been opened so: the
// change is not an edit, and what was unsaved stays so.
inline void editClass(AppState& state, const std::function<void(ClassRecord&)>& change) {
    ClassRecord record = state.classRecord();
    change(record);
    state.classDocument.adopt(std::move(record), state.classDocument.isModified());
}

// The same for the week.
inline void editWeek(AppState& state, const std::function<void(LessonPlan&)>& change) {
    LessonPlan plan = state.lessonPlan();
    change(plan);
    state.lessonDocument.adopt(std::move(plan), state.lessonDocument.isModified());
}

// The open file as one with changes not yet saved, or as just saved.
inline void markUnsaved(AppState& state) {
    if (state.workMode == WorkMode::Lessons)
        state.lessonDocument.adopt(state.lessonPlan(), true);
    else
        state.classDocument.adopt(state.classRecord(), true);
}

inline void markSaved(AppState& state) {
    state.classDocument.markSaved();
    state.lessonDocument.markSaved();
}

// A class "math.grd" of students named "Student 1", "Student 2", ..., with
// no category weighted and no grades yet.
inline void startNumberedClass(AppState& state, int students) {
    ClassRecord r;
    r.clearToCapacity();
    r.studentCount = students;
    for (int s = 0; s < students; ++s)
        r.studentNames[s] = "Student " + std::to_string(s + 1);
    for (int c = 1; c <= kCategoryCount; ++c) {
        r.categoryWeights[c] = Value(0);
        r.gradeCounts[c] = Value(0);
    }
    state.classDocument.adopt(std::move(r), false);
    state.currentFileName = "math.grd";
}

// A new week with the default period names and no plans.
inline void startDefaultWeek(AppState& state) {
    state.lessonDocument.clearToCapacity();
    state.lessonDocument.startWeek(defaultPeriodNames());
}

} // namespace tallyro::test
