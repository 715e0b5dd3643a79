#pragma once

#include "core/classfile/classrecord.h"

#include <array>
#include <string>

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

} // namespace tallyro
