#include "core/classfile/fileerror.h"
#include "core/reports/reportcardjson.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

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

TEST(ReportCardJson, SurrogatesMakeCharactersOrErrorsAndTextsAreAlwaysUtf8) {
    EXPECT_EQ(parseReportCardJson(R"({"comments": "\uD83D\uDE00 \u00e9", "copies": ["Parent"]})")
                  .entry.comments,
              "\xF0\x9F\x98\x80 \xC3\xA9");
    for (const char* text : {R"({"comments": "\uD800"})", R"({"comments": "\uD800x"})",
                             R"({"comments": "\uDC00\uD800"})", R"({"comments": "\uD800\u0041"})",
                             R"({"comments": "\uD800\uD800"})", R"({"comm\uDFFFents": 1})"}) {
        try {
            parseReportCardJson(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const ReportCardJsonError& error) {
            EXPECT_NE(std::string(error.what()).find("half a surrogate pair"), std::string::npos)
                << text << ": " << error.what();
        }
    }
    // Bytes that are not UTF-8 are refused where they stand.
    try {
        parseReportCardJson("{\n\"comments\": \"caf\xE9\"}");
        ADD_FAILURE() << "accepted";
    } catch (const ReportCardJsonError& error) {
        EXPECT_EQ(std::string(error.what()), "line 2: the file is not UTF-8 text");
    }
}

TEST(ReportCardJson, SizeAndMemoryAreBounded) {
    std::string comment(kReportCardJsonLimit, 'c');
    EXPECT_THROW(parseReportCardJson("{\"comments\": \"" + comment + "\"}"), ReportCardJsonError);
    // A megabyte of tiny values is refused rather than taking a hundred.
    std::string many = "{\"areas\": [";
    for (int i = 0; i < 200000; ++i)
        many += "0,";
    many += "0]}";
    EXPECT_THROW(parseReportCardJson(many), ReportCardJsonError);

    std::string path = std::filesystem::temp_directory_path() /
                       ("tallyro-card-" + std::to_string(::getpid()) + ".json");
    {
        std::ofstream out(path, std::ios::binary);
        out << "{\"copies\": [\"Parent\"], \"comments\": \"" << std::string(900000, 'c') << "\"}";
    }
    EXPECT_EQ(readReportCardJson(path).entry.comments.size(), 900000u);
    std::filesystem::resize_file(path, kReportCardJsonLimit + 1);
    try {
        readReportCardJson(path);
        ADD_FAILURE() << "read";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("larger than 1 MiB"), std::string::npos);
    }
    std::filesystem::remove(path);
    EXPECT_THROW(readReportCardJson("/dev/zero"), FileError);
}
