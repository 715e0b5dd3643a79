#include "core/classfile/textfile.h"
#include "core/print/textsurface.h"
#include "core/stats/statssheet.h"
#include "statsclass.h"

#include <gtest/gtest.h>

using namespace tallyro;
using tallyro::test::StatsClass;

namespace {

std::vector<std::string> pagesOf(const std::string& text) {
    std::vector<std::string> pages{""};
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        std::string row = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (row == "\f")
            pages.emplace_back();
        else
            pages.back() += row + "\n";
    }
    return pages;
}

} // namespace

// The sheet as the teacher gets it, kept beside the class it is printed from.
TEST(StatisticsSheet, HandComputedClassGivesTheKeptSheet) {
    ClassStatistics statistics =
        computeClassStatistics(test::handClass().record, AverageMode::Decimal, 70);
    TextSurface surface;
    composeStatisticsSheet(surface, statistics, {"stats-class", "03-15-2024"});
    EXPECT_TRUE(surface.ended());
    EXPECT_EQ(surface.pageCount(), 1);
    EXPECT_EQ(surface.text(), readTextFile(TALLYRO_TEST_DATA "/stats-sheet.txt"));
}

// A class with many grade columns fills more than a sheet: the table goes on
// over the page, and the histogram is never torn from its title.
TEST(StatisticsSheet, TheHistogramStaysInOnePiece) {
    for (int columns : {20, 30, 45}) {
        std::vector<std::string> many(columns, "75");
        StatsClass c({"A", "B"});
        c.category(1, "50", {many, many}).category(2, "50", {many, many});
        ClassStatistics statistics = computeClassStatistics(c.record, AverageMode::Decimal, 70);
        TextSurface surface;
        composeStatisticsSheet(surface, statistics, {"big", "03-15-2024"});
        int withTitle = -1, withLastBand = -1, withLastRecord = -1;
        std::vector<std::string> pages = pagesOf(surface.text());
        for (int p = 0; p < static_cast<int>(pages.size()); ++p) {
            if (pages[p].find("Grand averages in bands") != std::string::npos)
                withTitle = p;
            if (pages[p].find("100+") != std::string::npos)
                withLastBand = p;
            if (pages[p].find("Grand average ") != std::string::npos)
                withLastRecord = p;
        }
        EXPECT_GE(withTitle, 0) << columns;
        EXPECT_EQ(withTitle, withLastBand) << columns;
        EXPECT_LE(withLastRecord, withTitle) << columns;
    }
}

TEST(StatisticsSheet, BarsOfAFullBandStillFitTheLine) {
    EXPECT_EQ(histogramBar(2, 3, 5), "**###");
    EXPECT_EQ(histogramBar(50, 50, 100), std::string(25, '*') + std::string(25, '#'));
}
