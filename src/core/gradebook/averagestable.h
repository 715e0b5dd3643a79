#pragma once

#include "core/gradebook/averaging.h"

#include <string>

namespace tallyro {

// One line per student in roster order: the name, a tab, the grand average as
// the grade book shows it, then a tab and each category average 1..11 as the
// average grid shows it. Throws AveragingError for a grade that cannot count.
std::string formatAveragesTable(ClassRecord& record, AverageMode mode);

} // namespace tallyro
