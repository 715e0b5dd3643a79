#pragma once

#include "core/print/displaylines.h"
#include "core/print/printsurface.h"

#include <array>
#include <string>
#include <vector>

namespace tallyro {

inline constexpr int kSubjectCount = 16;
inline constexpr int kConductCount = 6;
inline constexpr int kAreaCount = 11; // besides Attendance
inline constexpr int kRecommendationCount = 9;
inline constexpr int kCopyCount = 4;

// The captions of the report card's items, in the order the page lists them.
inline const std::array<const char*, kSubjectCount> kSubjectCaptions = {
    "Science",     "Reading", "Language", "Spelling",  "Writing", "History", "Math",  "Phonics",
    "Composition", "Grammar", "Health",   "Geography", "Paces",   "Art",     "Music", "Bible"};
inline const std::array<const char*, kConductCount> kConductCaptions = {
    "A = Excellent",     "B = Acceptable",   "C = Needs Improvement",
    "D = Inappropriate", "F = Unacceptable", "See Comments"};
inline const char* const kAttendanceCaption = "Attendance";
inline const std::array<const char*, kAreaCount> kAreaCaptions = {"Makeup Work",
                                                                  "Completing Homework",
                                                                  "Completing Classwork",
                                                                  "Preparation for Tests",
                                                                  "Class Participation",
                                                                  "Basic Skills",
                                                                  "Quality of Written Work",
                                                                  "Quality of Oral Work",
                                                                  "Overall Organization",
                                                                  "Attentiveness",
                                                                  "Behavior"};
inline const std::array<const char*, kRecommendationCount> kRecommendationCaptions = {
    "Put Forth More Effort",           "Ask More Questions",          "Tutoring",
    "Parents Check Assignment Book",   "Parents Check Homework",      "After School Helps Class",
    "Makeup Missed Assignments/Tests", "Parent Conference Requested", "See Teacher Comments"};
// The copy boxes' captions and the labels their copies carry.
inline const std::array<const char*, kCopyCount> kCopyCaptions = {"Parent", "Teacher", "Office",
                                                                  "Student"};
inline const std::array<const char*, kCopyCount> kCopyLabels = {"Parent Copy", "Teacher Copy",
                                                                "Office Copy", "Student Copy"};

// What the report card window holds when Print is pressed: one student's
// report, filled in by the teacher and never stored.
struct ReportCardEntry {
    struct Subject {
        bool checked = false;
        std::string mark;
    };

    std::string schoolName;
    std::string teacherName;
    std::string gradeLevel;
    std::string studentName;
    std::array<Subject, kSubjectCount> subjects{};
    int conduct = 0; // index into kConductCaptions
    bool attendance = false;
    std::string absences;
    std::string tardies;
    std::array<bool, kAreaCount> areas{};
    std::array<bool, kRecommendationCount> recommendations{};
    // The comment text as typed; it prints as the comment box shows it.
    std::string comments;
    std::array<bool, kCopyCount> copies{true, false, false, false};
    // The date the page carries, "mm/dd/yyyy".
    std::string date;
};

// The comment box of the window, for the wrapping of the printed comment
// lines when no window is there to ask (about a hundred characters wide).
TextBoxLayout defaultCommentBox();

// Composes every selected copy of the report card, two to a page when they
// are short enough, and ends the document. An attendance count left empty is
// printed, and left in the entry, as "___". The comment lines are those the
// box shows. A PrintError from the back end stops the composition.
void composeReportCard(PrintSurface& surface, ReportCardEntry& entry,
                       const TextBoxLayout& commentBox = defaultCommentBox());

// The same with the comment's display lines given by the window itself.
void composeReportCard(PrintSurface& surface, ReportCardEntry& entry,
                       const std::vector<std::string>& commentLines);

} // namespace tallyro
