#include "core/print/recordingsurface.h"
#include "core/print/textsurface.h"
#include "core/reports/lessonpages.h"

#include <gtest/gtest.h>

using namespace tallyro;

namespace {

LessonPlan weekPlan() {
    LessonPlan plan;
    plan.clearToCapacity();
    for (int p = 0; p < kPeriodCount; ++p)
        plan.periodNames[p] = "Period " + std::to_string(p + 1);
    for (int d = 0; d < kDayCount; ++d)
        for (int p = 0; p < kPeriodCount; ++p)
            plan.lessonTexts[LessonPlan::lessonIndex(d, p)] =
                "Day " + std::to_string(d) + " period " + std::to_string(p);
    return plan;
}

} // namespace

TEST(LessonPages, FullWeekPrintsFivePagesEachWithItsDayAndLeavesTheFriday) {
    LessonPlan plan = weekPlan();
    PrintDate date = *PrintDate::parse("09/15/1997");
    RecordingSurface surface;
    composeLessonPages(surface, plan, date, LessonPrintRange::FullWeek, 2);
    const char* headings[] = {"Monday 09/15/1997", "Tuesday 09/16/1997", "Wednesday 09/17/1997",
                              "Thursday 09/18/1997", "Friday 09/19/1997"};
    for (int d = 0; d < 5; ++d) {
        const auto* heading = surface.find(std::string("Lesson Plan for ") + headings[d]);
        ASSERT_TRUE(heading) << d;
        EXPECT_EQ(heading->page, d + 1);
        EXPECT_EQ(heading->x, 19);
        EXPECT_EQ(surface.find("Day " + std::to_string(d) + " period 9")->page, d + 1);
    }
    EXPECT_EQ(surface.newPages, 4);
    EXPECT_EQ(surface.endDocs, 1);
    EXPECT_EQ(date.slashed(), "09/19/1997");
    EXPECT_TRUE(surface.find("Period 1")->font.bold);
    EXPECT_FALSE(surface.find("Day 0 period 0")->font.bold);
    EXPECT_EQ(surface.find("Period 1")->font.size, 11);
}

TEST(LessonPages, CurrentDayPrintsThatDaysBoxesUnderTheTypedDate) {
    LessonPlan plan = weekPlan();
    plan.lessonTexts[LessonPlan::lessonIndex(2, 4)] = "";
    plan.lessonTexts[LessonPlan::lessonIndex(2, 5)] =
        "Read chapter four aloud, then answer the questions on page 31 in pairs.";
    PrintDate date = *PrintDate::parse("09/15/1997");
    TextSurface surface;
    composeLessonPages(surface, plan, date, LessonPrintRange::CurrentDay, 2,
                       TextBoxLayout::widthInCharacters(30));
    EXPECT_EQ(surface.pageCount(), 1);
    EXPECT_EQ(date.slashed(), "09/15/1997");
    std::string text = surface.text();
    EXPECT_TRUE(text.starts_with("\n\n                   Lesson Plan for Monday 09/15/1997\n\n"
                                 "Period 1\nDay 2 period 0\n\n"))
        << text;
    // An empty box: its name, its one empty line and the separating line.
    EXPECT_NE(text.find("Period 5\n\n\nPeriod 6\n"), std::string::npos);
    // A wrapped box prints the lines the box shows.
    EXPECT_NE(text.find("Period 6\nRead chapter four aloud, then\nanswer the questions on page\n"
                        "31 in pairs.\n\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Day 1"), std::string::npos);
}

TEST(LessonPages, TheEditorMayGiveItsOwnDisplayLines) {
    std::vector<std::string> names(10, "P");
    PrintDate date{1997, 9, 17};
    int asked = 0;
    RecordingSurface surface;
    composeLessonPages(
        surface, names,
        [&](int box) {
            ++asked;
            EXPECT_GE(box, 30);
            EXPECT_LT(box, 40);
            return std::vector<std::string>{std::string(130, 'z')};
        },
        date, LessonPrintRange::CurrentDay, 3);
    EXPECT_EQ(asked, 10);
    EXPECT_EQ(surface.find("zzz")->text.size(), 120u);
}

TEST(LessonPages, ADayOutOfTheWeekPrintsNoPlans) {
    LessonPlan plan = weekPlan();
    PrintDate date{1997, 9, 15};
    RecordingSurface surface;
    composeLessonPages(surface, plan, date, LessonPrintRange::CurrentDay, 7);
    EXPECT_TRUE(surface.placed.empty());
    EXPECT_EQ(surface.endDocs, 1);
}

TEST(LessonPages, APeriodThatDoesNotFitGoesWholeToASheetHeadedWithItsDay) {
    // Ten periods of eight lines each: 4 + 10 * 10 rows, more than the 63 rows
    // of an 11-point sheet.
    std::vector<std::string> names;
    for (int p = 0; p < kPeriodCount; ++p)
        names.push_back("Period " + std::to_string(p + 1));
    auto lines = [](int box) {
        std::vector<std::string> result;
        for (int i = 1; i <= 8; ++i)
            result.push_back("box " + std::to_string(box) + " line " + std::to_string(i));
        return result;
    };
    PrintDate date{1997, 9, 15};
    TextSurface surface;
    composeLessonPages(surface, names, lines, date, LessonPrintRange::FullWeek, 0);
    std::string text = surface.text();
    // Six periods fill Monday's first sheet to its last row (4 + 6 * 10 - 1);
    // the seventh starts Monday's second sheet, under Monday's heading, and
    // Tuesday starts anew.
    size_t firstBreak = text.find("\f\n");
    ASSERT_NE(firstBreak, std::string::npos);
    EXPECT_TRUE(text.substr(firstBreak)
                    .starts_with("\f\n\n\n                   Lesson Plan for "
                                 "Monday 09/15/1997\n\nPeriod 7\nbox 6 line 1\n"))
        << text.substr(firstBreak, 200);
    EXPECT_EQ(surface.pageCount(), 10);
    size_t tuesday = text.find("Tuesday 09/16/1997");
    EXPECT_EQ(text.rfind("\f\n", tuesday), text.find("\f\n", text.find("box 9 line 8")));
    EXPECT_EQ(date, (PrintDate{1997, 9, 19}));
}
