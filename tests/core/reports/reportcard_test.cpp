#include "core/print/recordingsurface.h"
#include "core/print/textsurface.h"
#include "core/reports/reportcard.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tallyro;

namespace {

ReportCardEntry shortEntry() {
    ReportCardEntry entry;
    entry.schoolName = "Lincoln El";
    entry.teacherName = "Mrs. Lee";
    entry.gradeLevel = "4";
    entry.studentName = "Ann Baker";
    entry.date = "09/15/1997";
    entry.subjects[0] = {true, "A"};
    entry.subjects[6] = {true, "B+"};
    entry.recommendations[1] = true;
    entry.areas[0] = true;
    return entry;
}

int operationIndex(const RecordingSurface& surface, const std::string& operation, int from = 0) {
    auto it = std::find(surface.operations.begin() + from, surface.operations.end(), operation);
    return it == surface.operations.end() ? -1 : int(it - surface.operations.begin());
}

std::vector<std::string> rowsOf(const std::string& text) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        rows.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return rows;
}

} // namespace

TEST(ReportCard, TitleIsCentredOnAHundredColumnsWithHalvesToEven) {
    for (auto [school, column] : {std::pair{"Lincoln El", 38}, std::pair{"Lincoln Ele", 38},
                                  std::pair{"Lincoln Elem", 37}, std::pair{"", 43}}) {
        RecordingSurface surface;
        ReportCardEntry entry = shortEntry();
        entry.schoolName = school;
        composeReportCard(surface, entry);
        EXPECT_EQ(surface.count("Print Tab(" + std::to_string(column) + "); \"" + school +
                                "\"; \"--GRADE REPORT\""),
                  1)
            << school;
    }
}

TEST(ReportCard, StudentLineIsTheBoldNameWithTheRestPrintedOverIt) {
    RecordingSurface surface;
    ReportCardEntry entry = shortEntry();
    composeReportCard(surface, entry);
    const auto* name = surface.find("Ann Baker");
    const auto* teacher = surface.find("Teacher: ");
    const auto* date = surface.find("Date: ");
    ASSERT_TRUE(name && teacher && date);
    EXPECT_TRUE(name->font.bold);
    EXPECT_FALSE(teacher->font.bold);
    EXPECT_EQ(name->y, teacher->y);
    EXPECT_EQ(teacher->x, 11 + 9 + 8 - 1); // "STUDENT:   Ann Baker" + 8
    EXPECT_EQ(date->x, 97);
    EXPECT_EQ(surface.rules, 2);
}

TEST(ReportCard, SubjectsRunInTwoColumnsAndRecommendationsFollowThem) {
    ReportCardEntry entry = shortEntry();
    for (int i : {1, 2, 3, 4})
        entry.subjects[i] = {true, "C"};
    entry.subjects[6].checked = false; // five subjects: 0..4
    TextSurface surface;
    composeReportCard(surface, entry);
    auto rows = rowsOf(surface.text());
    auto academic = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
        return row.starts_with("ACADEMIC PERFORMANCE");
    });
    ASSERT_NE(academic, rows.end());
    EXPECT_EQ(academic[0], "ACADEMIC PERFORMANCE" + std::string(34, ' ') + "CONDUCT");
    EXPECT_EQ(academic[1].substr(0, 39), "    Science--A               Reading--C");
    EXPECT_EQ(academic[1].substr(61), "A = Excellent");
    EXPECT_EQ(academic[2].substr(0, 40), "    Language--C              Spelling--C");
    EXPECT_EQ(academic[3].substr(0, 14), "    Writing--C");
    EXPECT_EQ(academic[4].substr(0, 15), "RECOMMENDATIONS");
    EXPECT_EQ(academic[5].substr(0, 22), "    Ask More Questions");

    // No subject at all: the recommendations follow the heading directly.
    entry.subjects = {};
    TextSurface bare;
    composeReportCard(bare, entry);
    rows = rowsOf(bare.text());
    academic = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
        return row.starts_with("ACADEMIC PERFORMANCE");
    });
    EXPECT_TRUE(academic[1].starts_with("RECOMMENDATIONS"));
}

TEST(ReportCard, AttendanceWithEmptyCountsPrintsAndKeepsBlanksToFillIn) {
    ReportCardEntry entry = shortEntry();
    entry.attendance = true;
    entry.tardies = "2";
    RecordingSurface surface;
    composeReportCard(surface, entry);
    EXPECT_EQ(surface.count("Print Tab(62); \"Attendance\"; \":\"; \" Absences-\"; \"___\"; "
                            "\"  Tardies-\"; \"2\""),
              1);
    EXPECT_EQ(entry.absences, "___");
    EXPECT_EQ(entry.tardies, "2");
}

TEST(ReportCard, TwoShortCopiesShareAPageAndCopyTwoAlwaysEndsItsPage) {
    ReportCardEntry entry = shortEntry();
    entry.copies = {true, true, true, false};
    RecordingSurface surface;
    composeReportCard(surface, entry);
    // Short copy: 8 + 1 subject row + 1 + 1 recommendation = 11 on the left,
    // 9 + 1 + 1 area = 11 on the right; no comment -1, +1, +4 = 15 lines.
    // Copy 1 pads to 34 lines; copy 2 ends page 1; copy 3 is on page 2 and,
    // being short, is padded like copy 1.
    const auto* parent = surface.find("Parent Copy");
    const auto* teacher = surface.find("Teacher Copy");
    const auto* office = surface.find("Office Copy");
    ASSERT_TRUE(parent && teacher && office);
    EXPECT_EQ(parent->page, 1);
    EXPECT_EQ(teacher->page, 1);
    EXPECT_EQ(office->page, 2);
    // Copy 1 starts at row 0 and its footer is on its 15th counted line; the
    // padding puts copy 2's first line after 34 counted lines.
    EXPECT_EQ(surface.count("Print Tab(38); \"Lincoln El\"; \"--GRADE REPORT\""), 3);
    int firstPad = 34 - 15;
    int footer = operationIndex(surface, "Print \"We Appreciate Your Cooperation And "
                                         "Suggestions\"; Tab(98); \"Parent Copy\"");
    ASSERT_GE(footer, 0);
    for (int i = 1; i <= firstPad; ++i)
        EXPECT_EQ(surface.operations[footer + i], "Print") << i;
    EXPECT_EQ(surface.operations[footer + firstPad + 1], "ScaleMode 5");
    EXPECT_EQ(surface.newPages, 1);
    EXPECT_EQ(surface.endDocs, 1);
    EXPECT_EQ(surface.operations.back(), "EndDoc");
    EXPECT_EQ(surface.operations[surface.operations.size() - 2], "Print");

    // Exactly two copies: the page decision after copy 2 still starts a page,
    // prints an empty line and sets the font before the document ends.
    entry.copies = {false, true, false, true};
    RecordingSurface two;
    composeReportCard(two, entry);
    EXPECT_EQ(two.newPages, 1);
    EXPECT_EQ(two.find("Student Copy")->page, 1);
    EXPECT_EQ(two.operations[two.operations.size() - 7], "NewPage");
    EXPECT_EQ(two.operations[two.operations.size() - 6], "Print");
    EXPECT_EQ(two.operations.back(), "EndDoc");
}

TEST(ReportCard, ALongFirstCopyPushesTheSecondToANewPage) {
    ReportCardEntry entry = shortEntry();
    entry.copies = {true, false, false, true};
    // 15 lines without a comment; a comment adds its heading, +1 for the
    // heading line no longer taken back, and one line per display line.
    entry.comments =
        "line\nline\nline\nline\nline\nline\nline\nline\nline\nline\nline\nline\nline\n"
        "line\nline"; // 15 lines: 15 + 1 + 1 + 15 = 32, still fits
    {
        RecordingSurface surface;
        composeReportCard(surface, entry);
        EXPECT_EQ(surface.find("Student Copy")->page, 1);
    }
    entry.comments += "\nline"; // 33 lines: the second copy starts a new page
    {
        RecordingSurface surface;
        composeReportCard(surface, entry);
        EXPECT_EQ(surface.find("Parent Copy")->page, 1);
        EXPECT_EQ(surface.find("Student Copy")->page, 2);
    }
}

TEST(ReportCard, EmptyCommentPrintsNoHeadingAndCountsOneLineLess) {
    ReportCardEntry entry = shortEntry();
    entry.copies = {true, true, false, false};
    RecordingSurface surface;
    composeReportCard(surface, entry);
    EXPECT_EQ(surface.find("TEACHER COMMENTS:"), nullptr);
    int footer = operationIndex(surface, "Print \"We Appreciate Your Cooperation And "
                                         "Suggestions\"; Tab(98); \"Parent Copy\"");
    int next = operationIndex(surface, "ScaleMode 5", footer);
    EXPECT_EQ(next - footer - 1, 34 - 15);

    entry.comments = "Works hard.";
    RecordingSurface commented;
    composeReportCard(commented, entry);
    const auto* heading = commented.find("TEACHER COMMENTS:");
    ASSERT_TRUE(heading);
    EXPECT_TRUE(heading->font.bold && heading->font.underline);
    footer = operationIndex(commented, "Print \"We Appreciate Your Cooperation And "
                                       "Suggestions\"; Tab(98); \"Parent Copy\"");
    next = operationIndex(commented, "ScaleMode 5", footer);
    EXPECT_EQ(next - footer - 1, 34 - 18); // +1 no longer taken back, +1 heading, +1 line
}

TEST(ReportCard, CommentsPrintAsTheBoxWrapsThemAndTheLongerColumnDecidesWhereTheyStart) {
    ReportCardEntry entry = shortEntry();
    for (bool& area : entry.areas)
        area = true; // the right column is now far longer than the left
    entry.comments = "Ann reads well and helps others every day.";
    TextSurface surface;
    composeReportCard(surface, entry, TextBoxLayout::widthInCharacters(20));
    auto rows = rowsOf(surface.text());
    auto heading = std::find(rows.begin(), rows.end(), "TEACHER COMMENTS:");
    ASSERT_NE(heading, rows.end());
    EXPECT_EQ(heading[-1].substr(61), "Behavior");
    EXPECT_EQ(heading[1], "Ann reads well and");
    EXPECT_EQ(heading[2], "helps others every");
    EXPECT_EQ(heading[3], "day.");
}

TEST(ReportCard, NoCopySelectedStillEndsTheDocument) {
    ReportCardEntry entry = shortEntry();
    entry.copies = {};
    RecordingSurface surface;
    composeReportCard(surface, entry);
    EXPECT_TRUE(surface.placed.empty());
    EXPECT_EQ(surface.endDocs, 1);
}
