#include "core/gradebook/categories.h"
#include "core/print/recordingsurface.h"
#include "core/print/sheet.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tallyro;

namespace {

ClassRecord classOf(int students) {
    ClassRecord record;
    record.clearToCapacity();
    setgradetypes(record);
    record.studentCount = students;
    for (int s = 0; s < students; ++s) {
        record.studentNames[s] = "Student " + std::to_string(s + 1);
        record.grandAverages[s] = Value(80 + s % 20);
    }
    return record;
}

GradeListRequest request(GradeListMode mode) {
    GradeListRequest request;
    request.mode = mode;
    request.className = "ROOM5";
    request.date = "09-15-1997";
    return request;
}

} // namespace

TEST(GradeLists, ClassNameIsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(classNameFromFileName("ROOM5.grd"), "ROOM5");
    EXPECT_EQ(classNameFromFileName("A.grd"), "A");
    EXPECT_EQ(classNameFromFileName(".grd"), "");
    EXPECT_EQ(classNameFromFileName("ab"), "");
}

TEST(GradeLists, GrandAveragesPutFortyStudentsOnTheFirstPage) {
    ClassRecord record = classOf(41);
    record.grandAverages[0] = Value("86.66");
    TextSurface surface;
    composeGradeList(surface, record, request(GradeListMode::GrandAverages));
    std::string text = surface.text();
    EXPECT_EQ(surface.page(), 2);
    EXPECT_TRUE(text.starts_with("\nStudent Averages for ROOM5 as of 09-15-1997     (Page 1)\n\n"
                                 "Student Name            GrandAverage\n"
                                 "Student 1                     86.66\n"
                                 "Student 2                      81\n"))
        << text;
    size_t pageBreak = text.find("\f\n");
    ASSERT_NE(pageBreak, std::string::npos);
    EXPECT_NE(text.find("Student 40 ", 0), std::string::npos);
    EXPECT_LT(text.find("Student 40 "), pageBreak);
    EXPECT_EQ(text.substr(pageBreak + 2),
              "\nStudent Averages for ROOM5 as of 09-15-1997     (Page 2)\n\n"
              "Student Name            GrandAverage\n"
              "Student 41                     80\n");
}

TEST(GradeLists, SortedListOrdersByNameAndKeepsNamesakesApart) {
    ClassRecord record = classOf(4);
    record.studentNames[0] = "walker, ann";
    record.studentNames[1] = "Adams, Bo";
    record.studentNames[2] = "Adams, Bo";
    record.studentNames[3] = "Baker, Cy";
    EXPECT_EQ(sortedStudentOrder(record), (std::vector<int>{1, 2, 3, 0}));
    RecordingSurface surface;
    composeGradeList(surface, record, request(GradeListMode::SortedGrandAverages));
    EXPECT_EQ(surface.count("Print \"Adams, Bo\"; Tab(31); 81"), 1);
    EXPECT_EQ(surface.count("Print \"Adams, Bo\"; Tab(31); 82"), 1);
}

TEST(GradeLists, StudentBlockPrintsWeightedCategoriesTenGradesToALine) {
    ClassRecord record = classOf(1);
    record.categoryWeights[1] = Value(50);
    record.categoryWeights[2] = Value(0);    // not printed
    record.categoryWeights[3] = Value();     // not printed
    record.categoryWeights[4] = Value("50"); // text weights print unchanged
    record.gradeCounts[1] = Value(25);
    record.gradeCounts[2] = Value(1);
    for (int k = 1; k <= 25; ++k)
        record.grades(0, 1, k) = Value(std::to_string(70 + k));
    record.grades(0, 1, 3) = Value("x");
    record.grades(0, 2, 1) = Value("99");
    GradeListRequest current = request(GradeListMode::CurrentStudent);
    TextSurface surface;
    composeGradeList(surface, record, current);
    EXPECT_EQ(surface.text(), "\nStudent Grades for ROOM5 as of 09-15-1997\n\n"
                              "Student 1                     GrandAverage =  80\n"
                              "  Homework          50 %    71  72  x  74  75  76  77  78  79  80\n"
                              "                            81  82  83  84  85  86  87  88  89  90\n"
                              "                            91  92  93  94  95\n"
                              "  3 Week Test      50%\n");
}

TEST(GradeLists, AllInformationPlansPagesFromTheFirstStudentsBlock) {
    // 17 counted lines: name, 11 categories with 31..40 grades (4 lines each
    // would be too many), so: 1 + 11 + 4 started grade lines + 1 = 17.
    ClassRecord record = classOf(40);
    for (int c = 1; c <= 11; ++c)
        record.categoryWeights[c] = Value(9);
    record.gradeCounts[1] = Value(45); // four more grade lines (11, 21, 31, 41)
    for (int s = 0; s < 40; ++s)
        for (int k = 1; k <= 45; ++k)
            record.grades(s, 1, k) = Value("90");
    RecordingSurface surface;
    composeGradeList(surface, record, request(GradeListMode::AllInformation));
    // p = 50 / 17 = 2.94 -> 3: pages start before students 3, 6, ..., 27.
    EXPECT_EQ(surface.newPages, 9);
    for (int s = 0; s < 40; ++s) {
        const auto* name = surface.find("Student " + std::to_string(s + 1) + "\0");
        ASSERT_TRUE(name);
    }
    auto pageOf = [&](int s) {
        for (const auto& item : surface.placed)
            if (item.text == "Student " + std::to_string(s + 1))
                return item.page;
        return -1;
    };
    EXPECT_EQ(pageOf(2), 1);
    EXPECT_EQ(pageOf(3), 2);
    EXPECT_EQ(pageOf(26), 9);
    EXPECT_EQ(pageOf(27), 10);
    EXPECT_EQ(pageOf(39), 10);
    EXPECT_EQ(surface.count("Print Tab(0); \"Student Grades for \";"), 10);
}

TEST(GradeLists, AllInformationOfASmallBlockPutsManyStudentsOnAPage) {
    ClassRecord record = classOf(30);
    record.categoryWeights[1] = Value(100);
    record.gradeCounts[1] = Value(2);
    RecordingSurface surface;
    composeGradeList(surface, record, request(GradeListMode::AllInformation));
    // 1 + 1 + 1 = 3 lines: p = 50 / 3 = 16.7 -> 17.
    EXPECT_EQ(surface.newPages, 1);
    EXPECT_EQ(surface.find("(Page 2)")->page, 2);
    EXPECT_EQ(surface.endDocs, 1);
}

TEST(GradeLists, AnEmptyClassPrintsTheHeadingOnly) {
    ClassRecord record = classOf(0);
    for (auto mode : {GradeListMode::GrandAverages, GradeListMode::AllInformation,
                      GradeListMode::CurrentStudent, GradeListMode::SortedGrandAverages}) {
        RecordingSurface surface;
        composeGradeList(surface, record, request(mode));
        EXPECT_EQ(surface.newPages, 0);
        EXPECT_EQ(surface.endDocs, 1);
    }
}

namespace {

// The pages of a text rendering, split at its form feeds.
std::vector<std::string> pagesOf(const std::string& text) {
    std::vector<std::string> pages;
    size_t start = 0;
    while (true) {
        size_t end = text.find("\f\n", start);
        pages.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return pages;
        start = end + 2;
    }
}

int rowsOf(const std::string& page) {
    return static_cast<int>(std::count(page.begin(), page.end(), '\n'));
}

// A class whose student s gets extraCategories[s] more categories' worth of
// lines; with none extra every block counts 9 lines: the name, seven weighted
// categories of three grades and the closing empty line.
ClassRecord nineLineClass(int students) {
    ClassRecord record = classOf(students);
    for (int c = 1; c <= 7; ++c) {
        record.categoryWeights[c] = Value(10);
        record.gradeCounts[c] = Value(3);
    }
    for (int s = 0; s < students; ++s)
        for (int c = 1; c <= 7; ++c)
            for (int k = 1; k <= 3; ++k)
                record.grades(s, c, k) = Value("7" + std::to_string(k));
    return record;
}

// Whether every student's block lies whole on one page: the name and the
// last category of the block on the same page.
void expectWholeBlocks(const std::vector<std::string>& pages, int students,
                       const std::string& lastCategory) {
    for (int s = 0; s < students; ++s) {
        std::string name = "Student " + std::to_string(s + 1) + " ";
        int found = 0;
        for (const std::string& page : pages) {
            size_t at = page.find(name);
            if (at == std::string::npos)
                continue;
            ++found;
            EXPECT_NE(page.find(lastCategory, at), std::string::npos) << name << "split";
        }
        EXPECT_EQ(found, 1) << name;
    }
}

int studentsOn(const std::string& page) {
    int count = 0;
    for (size_t at = page.find("GrandAverage ="); at != std::string::npos;
         at = page.find("GrandAverage =", at + 1))
        ++count;
    return count;
}

} // namespace

TEST(GradeListSheets, NineLineStudentsPrintSixToASheetAndEverySheetFits) {
    for (int students : {30, 46}) {
        ClassRecord record = nineLineClass(students);
        TextSurface surface;
        composeGradeList(surface, record, request(GradeListMode::AllInformation));
        std::vector<std::string> pages = pagesOf(surface.text());
        // p = 50 / 9 rounded = 6: 30 students on 5 sheets, 46 on 8.
        ASSERT_EQ(pages.size(), size_t((students + 5) / 6)) << students;
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(studentsOn(pages[i]), i + 1 < pages.size() ? 6 : students - 6 * int(i));
            EXPECT_TRUE(
                pages[i].starts_with("\nStudent Grades for ROOM5 as of 09-15-1997     (Page " +
                                     std::to_string(i + 1) + ")\n\n"));
            // Nothing ran past the bottom of the planned sheet.
            EXPECT_LE(rowsOf(pages[i]), linesPerSheet(12));
        }
        expectWholeBlocks(pages, students, "Midterm Exam");
    }
}

TEST(GradeListSheets, ABlockThatWouldOverflowTheSheetMovesWholeToTheNext) {
    // Blocks of 14 lines (six categories of 15 grades, two lines each): the
    // plan rounds 50 / 14 up to 4 students a sheet, 59 rows where 57 fit.
    // The fourth block goes whole to the next sheet instead of leaving its
    // last line alone on a sheet before the planned break.
    ClassRecord record = classOf(12);
    for (int c = 1; c <= 6; ++c) {
        record.categoryWeights[c] = Value(15);
        record.gradeCounts[c] = Value(15);
        for (int s = 0; s < 12; ++s)
            for (int k = 1; k <= 15; ++k)
                record.grades(s, c, k) = Value("80");
    }
    TextSurface surface;
    composeGradeList(surface, record, request(GradeListMode::AllInformation));
    std::vector<std::string> pages = pagesOf(surface.text());
    ASSERT_EQ(pages.size(), 4u);
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(studentsOn(pages[i]), 3) << i;
        EXPECT_LE(rowsOf(pages[i]), linesPerSheet(12));
        EXPECT_TRUE(pages[i].starts_with("\nStudent Grades for ROOM5 as of 09-15-1997     (Page " +
                                         std::to_string(i + 1) + ")\n\n"));
    }
    expectWholeBlocks(pages, 12, "9 Week Test");
}

TEST(GradeListSheets, ABlockLongerThanASheetContinuesUnderTheHeadingBetweenCategories) {
    // A full class: each block counts 57 lines (11 categories of 45 grades),
    // more than a sheet holds under its heading.
    ClassRecord record = classOf(4);
    for (int c = 1; c <= 11; ++c) {
        record.categoryWeights[c] = Value(9);
        record.gradeCounts[c] = Value(45);
        for (int s = 0; s < 4; ++s)
            for (int k = 1; k <= 45; ++k)
                record.grades(s, c, k) = Value("88");
    }
    for (GradeListMode mode : {GradeListMode::AllInformation, GradeListMode::CurrentStudent}) {
        TextSurface surface;
        composeGradeList(surface, record, request(mode));
        std::vector<std::string> pages = pagesOf(surface.text());
        bool numbered = mode == GradeListMode::AllInformation;
        ASSERT_EQ(pages.size(), numbered ? 5u : 2u);
        for (size_t i = 0; i < pages.size(); ++i) {
            std::string heading = "\nStudent Grades for ROOM5 as of 09-15-1997";
            if (numbered)
                heading += "     (Page " + std::to_string(i + 1) + ")";
            EXPECT_TRUE(pages[i].starts_with(heading + "\n\n")) << i;
            EXPECT_LE(rowsOf(pages[i]), linesPerSheet(12));
            // Sheets are filled; a category never breaks between two.
            if (i + 1 < pages.size()) {
                EXPECT_GE(rowsOf(pages[i]), linesPerSheet(12) - 5);
            }
            // A continued grade line starts at column 28 with nothing before.
            std::string afterHeading = pages[i].substr(pages[i].find("\n\n", 1) + 2);
            EXPECT_FALSE(afterHeading.starts_with(std::string(28, ' '))) << i;
        }
    }
}
