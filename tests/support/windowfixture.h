// Pieces the window tests share: the doubles a window talks to, and the
// classes and weeks they open it over.
#pragma once

#include "core/app/appstate.h"
#include "core/lessons/lessonfile.h"
#include "support/scriptedplatform.h"

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

// A class "math.grd" of students named "Student 1", "Student 2", ..., with
// no category weighted and no grades yet.
inline void startNumberedClass(AppState& state, int students) {
    ClassRecord& r = state.classRecord;
    r.clearToCapacity();
    r.studentCount = students;
    for (int s = 0; s < students; ++s)
        r.studentNames[s] = "Student " + std::to_string(s + 1);
    for (int c = 1; c <= kCategoryCount; ++c) {
        r.categoryWeights[c] = Value(0);
        r.gradeCounts[c] = Value(0);
    }
    state.currentFileName = "math.grd";
}

// A new week with the default period names and no plans.
inline void startDefaultWeek(LessonPlan& plan) {
    plan.clearToCapacity();
    for (int p = 0; p < kPeriodCount; ++p)
        plan.periodNames[p] = defaultPeriodName(p);
}

} // namespace tallyro::test
