#pragma once

#include "core/classfile/value.h"
#include "core/gradebook/averaging.h"
#include "core/gradebook/classdocument.h"
#include "core/lessons/lessondocument.h"
#include "core/reports/gradelists.h"
#include "core/reports/lessonpages.h"

#include <string>

namespace tallyro {

// AppState: what the program works with, created once in main and handed to
// every window by reference; no window keeps a copy of its own.

// What the file commands act on. The numbers are those the help pages and
// the settings of earlier versions use.
enum class WorkMode { Grades = 1, Lessons = 2, ReportCard = 3 };

struct AppState {
    WorkMode workMode = WorkMode::Lessons;
    // The grade book's commands act in grade mode, also while a report card
    // window is open.
    bool inGradeMode() const { return workMode != WorkMode::Lessons; }

    // The teacher's details and the failing limit, kept in the settings store.
    std::string schoolName;
    std::string teacherName;
    std::string gradeLevel;
    Value failLimit = Value(0); // 0 or empty means the default 70

    // The grade book and the printed lists share it.
    AverageMode averageMode = AverageMode::Decimal;

    // The open class and the open week: each changes only through its
    // document's operations.
    ClassDocument classDocument;
    LessonDocument lessonDocument;
    const ClassRecord& classRecord() const { return classDocument.record(); }
    const LessonPlan& lessonPlan() const { return lessonDocument.plan(); }

    // Name of the open file of either kind.
    std::string currentFileName;
    // Whether the open file has unsaved changes: derived from its document.
    // Only one file is open at a time; the other document holds nothing.
    bool classModified() const { return classDocument.isModified() || lessonDocument.isModified(); }
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

    // A new roster is kept in alphabetical order, or in entry order.
    bool rosterSorted = true;

    // Lesson printing: the tab shown in the editor, the date printed on the
    // first page, and how much of the week.
    std::string currentDayCaption;
    std::string printDate;
    LessonPrintRange printRange = LessonPrintRange::FullWeek;

    // Grade printing: class name on the lists, which list, which student.
    std::string printClassName;
    GradeListMode printMode = GradeListMode::GrandAverages;
    int printStudentIndex = 0;
};

} // namespace tallyro
