#include "core/gradebook/categories.h"
#include "core/print/recordingsurface.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"

#include <gtest/gtest.h>

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
