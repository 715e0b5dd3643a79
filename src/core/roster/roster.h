#pragma once

#include "core/classfile/classrecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// Roster work that needs no window: the alphabetical order of a sorted roster,
// names the grade file can hold, a new class's empty categories, and a student
// added to a class that already has grades.

// Orders names alphabetically without regard to case (A-Z and the accented
// Latin letters); true when a comes before b.
bool nameLessIgnoringCase(std::string_view a, std::string_view b);

// Where a new name goes in a list kept in that order. A name equal to some
// already there (ignoring case) goes after them, so equal names keep the order
// in which they were typed.
size_t sortedInsertPosition(const std::vector<std::string>& names, std::string_view name);
void insertSorted(std::vector<std::string>& names, std::string name);

// The grade file writes a name between double quotes and cannot hold one
// inside it, so a name never keeps one.
std::string withoutDoubleQuotes(std::string_view name);

// The student names of a grade file's text, in file order. The whole file is
// checked as when it is opened; a problem throws FileError.
std::vector<std::string> extractStudentNames(std::string_view gradeFileText);

// The same for a file on disk (throws FileError).
std::vector<std::string> readStudentNames(const std::string& path);

// A new roster starts with every category at weight 0 and no grades. A record
// emptied by a failed read is first given its full size again.
void startNewRoster(ClassRecord& record);

// Copies a finished roster into the record in list order. Throws
// std::length_error when the names do not fit the class's student slots.
void storeRoster(ClassRecord& record, const std::vector<std::string>& names);

// True while the class can take one more student (fewer than 45).
bool canAddStudent(const ClassRecord& record);

// Appends a student who is excused ("x") in every grade already recorded, so
// the grade columns stay the same for everybody. Throws std::length_error when
// the class is full or not loaded.
void addStudentWithExcusedGrades(ClassRecord& record, const std::string& name);

} // namespace tallyro
