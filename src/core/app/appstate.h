#pragma once

#include "core/classfile/classrecord.h"
#include "core/classfile/value.h"
#include "core/lessons/lessonplan.h"

#include <string>

namespace tallyro {

// What the program works with, created once in main and handed to every
// window by reference; no window keeps a copy of its own.
struct AppState {
    // 1 grade book, 2 lesson plans, 3 a report card window is open.
    int workMode = 2;

    // The teacher's details and the failing limit, kept in the settings store.
    std::string schoolName;
    std::string teacherName;
    std::string gradeLevel;
    Value failLimit = Value(0); // 0 or empty means the default 70

    // 1 Decimal, 0 Rounded; the grade book and the printed lists share it.
    int averageMode = 1;

    ClassRecord classRecord;
    LessonPlan lessonPlan;

    // Name of the open file of either kind, and whether it has unsaved changes.
    std::string currentFileName;
    int classModified = 0;
    // The folder the open file lives in. File dialogs move the current folder,
    // so Save must not rely on it: after a Save As or a backup elsewhere, Save
    // still writes the file that is open. Empty means the current folder.
    std::string currentFileFolder;

    // Where Save writes the open file.
    std::string currentFilePath() const {
        if (currentFileFolder.empty())
            return currentFileName;
        return currentFileFolder + "/" + currentFileName;
    }

    // 1 when a new roster is kept in alphabetical order, 0 in entry order.
    int rosterSorted = 1;

    // Lesson printing: the tab shown in the editor, the date printed on the
    // first page, and 1 for the full week or 2 for the current day.
    std::string currentDayCaption;
    std::string printDate;
    int printRange = 1;

    // Grade printing: class name on the lists, which list, which student.
    std::string printClassName;
    int printMode = 1;
    int printStudentIndex = 0;
};

} // namespace tallyro
