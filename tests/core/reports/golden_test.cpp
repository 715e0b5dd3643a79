#include "core/classfile/gradefile.h"
#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"
#include "core/lessons/lessonfile.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"
#include "core/reports/lessonpages.h"
#include "core/reports/reportcard.h"
#include "core/reports/reportcardjson.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace tallyro;

// The text renderings of one report card, one all-information list and one
// week of plans, compared with the pages kept under tests/data. Setting
// TALLYRO_UPDATE_GOLDEN writes the files anew instead.
namespace {

void expectGolden(const std::string& name, const std::string& text) {
    std::string path = std::string(TALLYRO_TEST_DATA) + "/" + name;
    if (std::getenv("TALLYRO_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(text, expected.str()) << name;
}

} // namespace

std::string dataPath(const char* name) {
    return std::string(TALLYRO_TEST_DATA) + "/" + name;
}

// The same files and pages are checked end to end through "tallyro print".
TEST(GoldenPages, ReportCard) {
    std::ifstream in(dataPath("reports-card.json"), std::ios::binary);
    std::stringstream json;
    json << in.rdbuf();
    ReportCardFile file = parseReportCardJson(json.str());
    TextSurface surface;
    composeReportCard(surface, file.entry, TextBoxLayout::widthInCharacters(file.commentWidth));
    expectGolden("reports-card.txt", surface.text());
}

TEST(GoldenPages, AllInformationList) {
    ClassRecord record;
    readClassFile(dataPath("reports-class.grd"), record);
    setgradetypes(record);
    computeAllGrandAverages(record, 1);
    GradeListRequest request{GradeListMode::AllInformation, "reports-class", "11-14-1997", 0};
    TextSurface surface;
    composeGradeList(surface, record, request);
    expectGolden("reports-all-information.txt", surface.text());
}

TEST(GoldenPages, WeekOfLessonPlans) {
    LessonPlan plan;
    readLessonFile(dataPath("reports-week.pla"), plan);
    PrintDate date{1997, 9, 15};
    TextSurface surface;
    composeLessonPages(surface, plan, date, LessonPrintRange::FullWeek, 0);
    expectGolden("reports-week.txt", surface.text());
    EXPECT_EQ(date.slashed(), "09/19/1997");
}
