#include "core/classfile/fileerror.h"
#include "core/lessons/lessonfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tallyro;

namespace {

std::string dataPath(const std::string& name) {
    return std::string(TALLYRO_TEST_DATA) + "/" + name;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

LessonPlan newWeek() {
    LessonPlan plan;
    plan.clearToCapacity();
    auto names = defaultPeriodNames();
    std::copy(names.begin(), names.end(), plan.periodNames.begin());
    return plan;
}

class TempFile {
public:
    explicit TempFile(const std::string& name)
        : path_((std::filesystem::temp_directory_path() /
                 ("tallyro-lessonfile-" + std::to_string(::getpid()) + "-" + name))
                    .string()) {}
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

TEST(LessonFile, NewWeekIsTenNamesAndFiftyEmptyRecords) {
    std::string text = formatLessonFile(newWeek());
    std::string expected;
    for (int p = 1; p <= 10; ++p)
        expected += "\"Period " + std::to_string(p) + "\"\r\n";
    for (int i = 0; i < 50; ++i)
        expected += "\"\"\r\n";
    EXPECT_EQ(text, expected);
}

TEST(LessonFile, TwoLinePlanRoundTripsThroughDisk) {
    LessonPlan plan = newWeek();
    plan.lessonTexts[0] = "a\nb";
    plan.lessonTexts[49] = "last\n\nblank line above";
    plan.periodNames[2] = "Math";
    TempFile file("roundtrip.pla");
    writeLessonFile(file.path(), plan);

    std::string bytes = fileBytes(file.path());
    // One record holding the line break as CR LF, then the next record.
    EXPECT_NE(bytes.find("\"a\r\nb\"\r\n\"\"\r\n"), std::string::npos);

    LessonPlan back;
    readLessonFile(file.path(), back);
    EXPECT_EQ(back.periodNames, plan.periodNames);
    EXPECT_EQ(back.lessonTexts, plan.lessonTexts);
}

TEST(LessonFile, FewerThanSixtyRecordsFailsAndClears) {
    LessonPlan plan = newWeek();
    try {
        readLessonFile(dataPath("lessons-short.pla"), plan);
        FAIL() << "a short file was accepted";
    } catch (const FileError& error) {
        std::string what = error.what();
        EXPECT_NE(what.find("line 32"), std::string::npos) << what;
        EXPECT_NE(what.find("Wednesday period 1"), std::string::npos) << what;
    }
    EXPECT_EQ(plan.periodNames.size(), 1u);
    EXPECT_EQ(plan.lessonTexts.size(), 1u);

    LessonPlan empty = newWeek();
    EXPECT_THROW(parseLessonFile("", empty), FileError);
    EXPECT_FALSE(empty.hasCapacity());
    EXPECT_THROW(readLessonFile(dataPath("no-such-file.pla"), empty), FileError);
}

TEST(LessonFile, ReadsNamesAndMultiLinePlansFromFile) {
    LessonPlan plan;
    readLessonFile(dataPath("lessons-custom.pla"), plan);
    EXPECT_EQ(plan.periodNames[0], "Homeroom");
    EXPECT_EQ(plan.periodNames[9], "Dismissal");
    EXPECT_EQ(plan.lessonTexts[1], "Read ch. 3\nQuiz on ch. 2");
    EXPECT_EQ(plan.lessonTexts[49], "Clean desks");

    // Only the names are taken when a new week copies them.
    EXPECT_EQ(readPeriodNames(dataPath("lessons-short.pla")),
              readPeriodNames(dataPath("lessons-custom.pla")));
    EXPECT_THROW(parsePeriodNames("\"one\"\r\n\"two\"\r\n"), FileError);
}

TEST(LessonFile, OlderWindowsFileReadsAsCp1252) {
    LessonPlan plan;
    readLessonFile(dataPath("lessons-cp1252.pla"), plan);
    EXPECT_EQ(plan.periodNames[0], "Caf\u00e9");
    EXPECT_EQ(plan.lessonTexts[0], "Teacher\u2019s notes \u2013 r\u00e9sum\u00e9");
}

TEST(LessonFile, DoubleQuotesNeverReachTheFile) {
    LessonPlan plan = newWeek();
    plan.periodNames[0] = "\"Home\"room";
    plan.lessonTexts[5] = "say \"hi\"";
    std::string text = formatLessonFile(plan);
    // Exactly two quotes per record: sixty records, no quote inside a text.
    EXPECT_EQ(std::count(text.begin(), text.end(), '"'), 120);

    LessonPlan back;
    parseLessonFile(text, back);
    EXPECT_EQ(back.periodNames[0], "'Home'room");
    EXPECT_EQ(back.lessonTexts[5], "say 'hi'");
    EXPECT_EQ(replaceDoubleQuotes("a\"b\"\""), "a'b''");
}

TEST(LessonFile, NamesCompleteAndBackupsProposeTheirExtension) {
    EXPECT_EQ(completeFileName("ROOM5", ".pla"), "ROOM5.pla");
    EXPECT_EQ(completeFileName("/home/t/WEEK1.PLA", ".pla"), "/home/t/WEEK1.PLA");
    EXPECT_EQ(completeFileName("A.B", ".lba"), "A.B.lba");
    EXPECT_EQ(completeFileName("", ".pla"), ".pla");
    EXPECT_EQ(proposedBackupName("WEEK1.pla", ".lba"), "WEEK1.lba");
    EXPECT_EQ(proposedBackupName("CLASSROOM", ".lba"), "CLASS.lba");
    EXPECT_EQ(proposedBackupName("ab", ".lba"), ".lba");
    EXPECT_EQ(defaultPeriodName(9), "Period 10");
}

TEST(LessonFile, AnUnquotedRecordWithACommaIsAnErrorNotAShift) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += i == 12 ? "Read, then write\r\n" : "\"r" + std::to_string(i) + "\"\r\n";
    LessonPlan plan;
    try {
        parseLessonFile(text, plan);
        FAIL() << "accepted";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Line 13: the plan for Monday period 3 \"Read, then write\" is not a text in "
                  "double quotes and holds a comma.");
    }
    EXPECT_FALSE(plan.hasCapacity());

    // Without a comma the line is taken as it stands, and the records after
    // it stay in their places.
    text.replace(text.find("Read, then"), 16, "  007 Read  ");
    parseLessonFile(text, plan);
    EXPECT_EQ(plan.lessonTexts[2], "007 Read");
    EXPECT_EQ(plan.lessonTexts[3], "r13");
    EXPECT_EQ(plan.lessonTexts[49], "r59");
}
