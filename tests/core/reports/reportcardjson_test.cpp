#include "core/reports/reportcardjson.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace tallyro;

TEST(ReportCardJson, ReadsEveryItemByItsCaption) {
    ReportCardFile file = parseReportCardJson(R"({
        "schoolName": "Lincoln \"Elementary\"", "teacherName": "Mrs. Lee",
        "gradeLevel": 4, "studentName": "Zo\u00eb Baker", "date": "9/5/1997",
        "subjects": {"Science": "A", "Bible": 93, "Art": ""},
        "conduct": "C", "attendance": {"absences": "2"},
        "areas": ["Behavior", "Makeup Work"], "recommendations": ["Tutoring"],
        "comments": "Line one\nLine two", "commentWidth": 60,
        "copies": ["Teacher", "Student Copy"]
    })");
    const ReportCardEntry& entry = file.entry;
    EXPECT_EQ(entry.schoolName, "Lincoln \"Elementary\"");
    EXPECT_EQ(entry.gradeLevel, "4");
    EXPECT_EQ(entry.studentName, "Zoë Baker");
    EXPECT_TRUE(file.hasDate);
    EXPECT_EQ(entry.date, "09/05/1997");
    EXPECT_TRUE(entry.subjects[0].checked);
    EXPECT_EQ(entry.subjects[0].mark, "A");
    EXPECT_EQ(entry.subjects[15].mark, "93");
    EXPECT_TRUE(entry.subjects[13].checked);
    EXPECT_FALSE(entry.subjects[1].checked);
    EXPECT_EQ(entry.conduct, 2);
    EXPECT_TRUE(entry.attendance);
    EXPECT_EQ(entry.absences, "2");
    EXPECT_EQ(entry.tardies, "");
    EXPECT_TRUE(entry.areas[10] && entry.areas[0] && !entry.areas[1]);
    EXPECT_TRUE(entry.recommendations[2]);
    EXPECT_EQ(entry.comments, "Line one\nLine two");
    EXPECT_EQ(file.commentWidth, 60);
    EXPECT_EQ(entry.copies, (std::array<bool, 4>{false, true, false, true}));
}

TEST(ReportCardJson, DefaultsAreThoseOfAFreshWindow) {
    ReportCardFile file = parseReportCardJson("{}");
    EXPECT_FALSE(file.hasDate);
    EXPECT_EQ(file.entry.conduct, 0);
    EXPECT_EQ(file.entry.copies, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(parseReportCardJson(R"({"conduct": "See Comments", "areas": ["Attendance"]})")
                  .entry.conduct,
              5);
}

TEST(ReportCardJson, RefusesWhatWouldPrintTheWrongCard) {
    for (const char* text :
         {R"({"subjects": {"Sciense": "A"}})", R"({"conduct": "E"})", R"({"areas": ["Neatness"]})",
          R"({"recommendations": ["Nap"]})", R"({"copies": []})", R"({"copies": ["Principal"]})",
          R"({"colour": "red"})", R"({"date": "13/45/1997"})", R"({"commentWidth": 500})",
          R"({"commentWidth": "x11111"})", R"({"commentWidth": 99999999999999})",
          R"({"subjects": ["Math"]})", R"({"schoolName": "unclosed)", R"([1, 2])",
          R"({"a": 1} trailing)", "", R"({"attendance": {"late": 2}})"}) {
        EXPECT_THROW(parseReportCardJson(text), ReportCardJsonError) << text;
    }
    try {
        parseReportCardJson("{\n\"a\": tru}");
        FAIL();
    } catch (const ReportCardJsonError& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, 7), "line 2:");
    }
}

TEST(ReportCardJson, TheExampleFileReads) {
    std::ifstream in(std::string(TALLYRO_SOURCE_DIR) + "/examples/report-card.json");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    ReportCardFile file = parseReportCardJson(text.str());
    EXPECT_FALSE(file.entry.studentName.empty());
}
