#pragma once

#include "core/classfile/classrecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tallyro {

// The eleven fixed grade categories, index 1..11 (index 0 is never used).
inline const std::array<std::string, kCategorySlots> kCategoryNames = {"",
                                                                       "Homework",
                                                                       "Quiz",
                                                                       "Weekly Test",
                                                                       "3 Week Test",
                                                                       "6 Week Test",
                                                                       "9 Week Test",
                                                                       "Midterm Exam",
                                                                       "Final Exam",
                                                                       "Essay",
                                                                       "Extra Credit",
                                                                       "Special Project"};

// Puts the category names into the record.
void setgradetypes(ClassRecord& record);

// The name a category goes by: the record's, or the fixed one when the record
// has none yet.
std::string categoryDisplayName(const ClassRecord& record, int category);

// A category as a teacher names it on the command line or in a dialog: its
// number 1..11 or its name in any case, blanks around ignored.
std::optional<int> categoryFromText(std::string_view text);

} // namespace tallyro
