#pragma once

#include "core/classfile/filenames.h"
#include "core/lessons/lessonplan.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// The lesson plan file (.pla, and its backup .lba): exactly sixty double-quoted
// text records, the ten period names and then the fifty plan texts, Monday's
// ten periods first. A record may span several lines; in memory a line break
// inside a plan is "\n", in the file it is CR LF.

inline constexpr const char* kLessonExtension = ".pla";
inline constexpr const char* kLessonBackupExtension = ".lba";

// Fills the plan from the text of a lesson plan file. The plan is cleared to
// capacity first; a file with fewer than sixty records, or with an unquoted
// record holding a comma (which would shift every later plan), throws
// FileError naming the line, and the plan is then cleared to nothing.
void parseLessonFile(std::string_view text, LessonPlan& plan);

// The text of a lesson plan file for the plan, records ending in CR LF. Names
// or texts the plan does not hold are written as empty records.
std::string formatLessonFile(const LessonPlan& plan);

// Reads a lesson plan file from disk (a regular file of at most 4 MiB, see
// readTextFile); on failure the plan is cleared to nothing and FileError
// carries the description.
void readLessonFile(const std::string& path, LessonPlan& plan);

// Writes the plan to disk, replacing the file only once the new one is safe.
void writeLessonFile(const std::string& path, const LessonPlan& plan);

// The ten period names at the start of a lesson plan file; the plans that
// follow are not read, so a file cut short after its names still gives them.
std::vector<std::string> parsePeriodNames(std::string_view text);
std::vector<std::string> readPeriodNames(const std::string& path);

// "Period " followed by period + 1, the name a period has unless the teacher
// chose another.
std::string defaultPeriodName(int period);
std::vector<std::string> defaultPeriodNames();

// The file format cannot hold a double quote inside a text, so typed or
// pasted quotes become apostrophes.
std::string replaceDoubleQuotes(std::string_view text);

} // namespace tallyro
