#pragma once

#include "core/print/printsurface.h"
#include "core/stats/classstats.h"

#include <string>

namespace tallyro {

// StatisticsSheetRequest: what the printed statistics sheet carries besides
// the statistics themselves.

struct StatisticsSheetRequest {
    std::string className; // printed in the heading
    std::string date;      // "mm-dd-yyyy"
};

// Composes the statistics sheet: a heading, the table of every record and
// the histogram of the grand averages (the values below the failing limit
// marked "*"), and ends the document. The histogram is never split from its
// title: when it would not fit under the table it starts a new page.
void composeStatisticsSheet(PrintSurface& surface, const ClassStatistics& statistics,
                            const StatisticsSheetRequest& request);

// One histogram bar as printed: a "*" for every value below the limit, then
// a "#" for every other value, one character per value (fewer when a band
// holds more than fit the line).
std::string histogramBar(int failing, int passing, int mostInABand);

} // namespace tallyro
