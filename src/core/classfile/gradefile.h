#pragma once

#include "core/classfile/classrecord.h"

#include <string>
#include <string_view>

namespace tallyro {

// The class grade file (.grd, and its backup .bup): the eleven weights and
// grade counts, the student count, then each student's name and grades.

// Fills the record from the text of a grade file. Everything that will later
// index the record is checked here, and every name must be a quoted text (a
// bare value there means the lines have shifted); a problem throws FileError
// naming the line.
// The record is left cleared to capacity on entry and holds what was read.
void parseClassFile(std::string_view text, ClassRecord& record);

// The text of a grade file for the record, lines ending in CR LF.
std::string formatClassFile(const ClassRecord& record);

// Reads a grade file from disk (a regular file of at most 4 MiB, see
// readTextFile). On failure the record is cleared to nothing and FileError
// carries the description.
void readClassFile(const std::string& path, ClassRecord& record);

// Writes the record to disk, replacing the file only once the new one is safe.
void writeClassFile(const std::string& path, const ClassRecord& record);

} // namespace tallyro
