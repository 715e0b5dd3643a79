#include "core/stats/statssheet.h"

#include "core/print/sheet.h"
#include "core/stats/histogram.h"

#include <algorithm>
#include <cmath>

namespace tallyro {

namespace {

constexpr double kFontSize = 10;
// A bar longer than this would run past the right margin.
constexpr int kLongestBar = 50;
// The histogram's title, legend, heading and eleven bands.
constexpr int kHistogramLines = 15;
// Where the table's columns start, in average character widths.
constexpr int kColumns[] = {1, 30, 36, 46, 56, 66, 76, 86};

void tableLine(PrintSurface& surface, const std::vector<std::string>& fields) {
    std::vector<PrintItem> items;
    for (size_t i = 0; i < fields.size(); ++i) {
        items.emplace_back(tab(kColumns[i]));
        items.emplace_back(fields[i]);
    }
    surface.print(items);
}

} // namespace

std::string histogramBar(int failing, int passing, int mostInABand) {
    auto length = [&](int count) {
        if (mostInABand <= kLongestBar)
            return count;
        return static_cast<int>(std::lround(double(count) * kLongestBar / mostInABand));
    };
    return std::string(length(failing), '*') + std::string(length(passing), '#');
}

void composeStatisticsSheet(PrintSurface& surface, const ClassStatistics& statistics,
                            const StatisticsSheetRequest& request) {
    surface.setScaleMode(5);
    surface.setScaleLeft(-0.75);
    surface.printEmptyLine();
    setPrintedFont(surface, 12);
    surface.printOpen({"Class Statistics for "});
    surface.setFontBold(true);
    surface.printOpen({request.className});
    surface.setFontBold(false);
    surface.print({" as of " + request.date});
    surface.printEmptyLine();

    setPrintedFont(surface, kFontSize);
    std::string mode = statistics.mode == AverageMode::Rounded ? "Rounded" : "Decimal";
    surface.print(
        {"Averages: " + mode, tab(32), "Failing below: " + formatNumber(statistics.failLimit)});
    surface.printEmptyLine();
    surface.setFontBold(true);
    tableLine(surface, statHeader());
    surface.setFontBold(false);
    for (const StatRecord& record : statistics.records)
        tableLine(surface, statFields(record));

    surface.printEmptyLine();
    double linesUsed = surface.currentY() / surface.lineHeight();
    if (linesUsed + kHistogramLines > linesPerSheet(kFontSize))
        surface.newPage();
    const StatRecord& grand = statistics.grandRecord();
    auto bands = histogramBands(grand.values, statistics.failLimit);
    int most = 0;
    for (const HistogramBand& band : bands)
        most = std::max(most, band.count);
    surface.setFontBold(true);
    surface.print({"Grand averages in bands of ten points"});
    surface.setFontBold(false);
    surface.print({"* below the failing limit of " + formatNumber(statistics.failLimit) +
                   ", # at or above it"});
    surface.printEmptyLine();
    surface.setFontBold(true);
    surface.print({tab(1), "band", tab(10), "students"});
    surface.setFontBold(false);
    for (const HistogramBand& band : bands)
        surface.print({tab(1), band.label(), tab(10), std::to_string(band.count), tab(16),
                       histogramBar(band.failing, band.count - band.failing, most)});
    surface.endDoc();
}

} // namespace tallyro
