#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/exchange/namelist.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tallyro;

using Names = std::vector<std::string>;

TEST(NameList, TakesTheFirstFieldOfEveryRecordWithAName) {
    EXPECT_EQ(namesFromList("Student,Id\r\n\"Lee, Ann\",17\r\n  Bob Cruz  \r\n\r\n,5\r\n"
                            "\"Bud \"\"Red\"\" Smith\"\r\n\"two\nlines\"\r\n"),
              (Names{"Lee, Ann", "Bob Cruz", "Bud Red Smith", "two lines"}));
    EXPECT_EQ(namesFromList("Ann\nBob"), (Names{"Ann", "Bob"}));
}

TEST(NameList, OnlyAFirstRecordOfStudentOrNameIsAHeader) {
    EXPECT_EQ(namesFromList("NAME\nAnn\nName\n"), (Names{"Ann", "Name"}));
    EXPECT_EQ(namesFromList("\n\n student \nAnn\n"), (Names{"Ann"}));
    EXPECT_EQ(namesFromList("Students\nAnn\n"), (Names{"Students", "Ann"}));
    EXPECT_TRUE(namesFromList("").empty());
    EXPECT_THROW(namesFromList("Ann\n\"Bob\n"), FileError);
}

TEST(NameList, PastedLinesGiveOneNameEach) {
    EXPECT_EQ(namesFromPastedText("Ann Lee\r\n\r\n  Bob \n\"Cruz\", Carla\tid 7\rDee"),
              (Names{"Ann Lee", "Bob", "Cruz, Carla", "Dee"}));
    EXPECT_TRUE(namesFromPastedText("\n \n").empty());
}

TEST(NewClassFromNames, IsWhatTheRosterEditorWrites) {
    Names names{"b", "A", "c", "a"};
    ClassRecord sorted = newClassFromNames(names, true);
    std::string weights;
    for (int c = 1; c <= kCategoryCount; ++c)
        weights += "0,0\r\n";
    EXPECT_EQ(formatClassFile(sorted), weights + "4\r\n\"A\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    EXPECT_EQ(formatClassFile(newClassFromNames(names, false)),
              weights + "4\r\n\"b\"\r\n\"A\"\r\n\"c\"\r\n\"a\"\r\n");
}

TEST(NewClassFromNames, NeedsOneToFortyFiveNames) {
    EXPECT_EQ(newClassProblem({}), "The file holds no name.");
    Names many(46, "Ann");
    EXPECT_EQ(newClassProblem(many), "The file holds 46 names; a class holds at most 45 students.");
    EXPECT_THROW(newClassFromNames(many, true), std::length_error);
    many.pop_back();
    EXPECT_EQ(newClassProblem(many), "");
    EXPECT_EQ(newClassFromNames(many, false).studentCount, 45);
}
