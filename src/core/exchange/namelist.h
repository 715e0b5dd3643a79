#pragma once

#include "core/classfile/classrecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// Rosters from other programs: the names of a text or CSV file, names pasted
// as lines, and a new class made from a list of names.

// The names of a name list: each record's first field (CSV rules, so
// "Lee, Ann" is one name), with double quotes dropped (a grade file cannot
// hold them), line breaks and tabs inside it made blanks, and blanks around
// it trimmed. Records without a name are skipped; a first record whose first
// field is "Student" or "Name" (any case) is a header and skipped too.
// Throws FileError for a quote that is never closed.
std::vector<std::string> namesFromList(std::string_view text);

// The same for a file on disk (throws FileError).
std::vector<std::string> readNameList(const std::string& path);

// Names pasted into a name box: one per line. A line copied from a
// spreadsheet holds its cells separated by tabs; the first cell is the name.
std::vector<std::string> namesFromPastedText(std::string_view text);

// Why a list of names cannot make a class, or an empty text when it can: no
// name at all, or more than a roster holds (45).
std::string newClassProblem(const std::vector<std::string>& names);

// A new class exactly as the roster editor finishes it: every category at
// weight 0 with no grades, and the names in alphabetical order (ignoring
// case; equal names keep their order) or in the given order. Throws
// std::length_error for more than 45 names.
ClassRecord newClassFromNames(const std::vector<std::string>& names, bool sorted);

} // namespace tallyro
