#include "core/exchange/gradeimport.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tallyro;

namespace {

ClassRecord classOf(const std::vector<std::string>& names, int quizzes = 0) {
    ClassRecord record;
    record.clearToCapacity();
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(0);
        record.gradeCounts[c] = Value(0);
    }
    record.gradeCounts[2] = Value(quizzes);
    for (size_t s = 0; s < names.size(); ++s) {
        record.studentNames[s] = names[s];
        for (int k = 1; k <= quizzes; ++k)
            record.grades(static_cast<int>(s), 2, k) = Value("70");
    }
    record.studentCount = static_cast<int>(names.size());
    return record;
}

GradeColumnPlan plan(const ClassRecord& record, const std::string& csv, int column = 2,
                     int category = 2) {
    return planGradeColumn(record, category, parseCsv(csv), column, "scores.csv");
}

} // namespace

TEST(CategoryFromText, NamesInAnyCaseAndNumbersOneToEleven) {
    EXPECT_EQ(categoryFromText("quiz"), 2);
    EXPECT_EQ(categoryFromText(" 3 WEEK TEST "), 4);
    EXPECT_EQ(categoryFromText("11"), 11);
    EXPECT_EQ(categoryFromText("1"), 1);
    for (const char* bad : {"0", "12", "", "Quizzes", "2.0", "-1", "99999999999999999999"})
        EXPECT_FALSE(categoryFromText(bad).has_value()) << bad;
}

TEST(GradeColumnPlan, MatchesNamesTrimmedAndIgnoringCaseAndExcusesTheMissing) {
    ClassRecord record = classOf({"Adams, Ann", "Baker Bob", "\xC3\x89mile Zola", "Cruz Carla"}, 3);
    GradeColumnPlan p = plan(record, "Name,Score\r\n"
                                     "\"  adams, ann \",  91.5 \r\n"
                                     "\xC3\xA9MILE ZOLA,X\r\n"
                                     "\r\n"
                                     "BAKER BOB,\r\n");
    ASSERT_TRUE(p.ok()) << p.errors.front();
    EXPECT_EQ(p.grades, (std::vector<Value>{Value("91.5"), Value("x"), Value("x"), Value("x")}));
    EXPECT_EQ(p.recordOfStudent, (std::vector<int>{0, 2, 1, -1}));
    EXPECT_EQ(p.records[2].line, 5); // the blank line is skipped, not renumbered
    EXPECT_EQ(p.description, "import of Quiz 4 from scores.csv");

    GradeColumnImport column = p.import();
    EXPECT_EQ(column.category, 2);
    EXPECT_EQ(column.grades, p.grades);
}

TEST(GradeColumnPlan, ReadsTheChosenColumnAndKeepsDroppedSmall) {
    ClassRecord record = classOf({"Ann", "Bob"});
    GradeColumnPlan p = plan(record, "Name,Quiz 1,Quiz 2\nAnn,50,D\nBob,60\n", 3);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.grades, (std::vector<Value>{Value("d"), Value("x")}));
}

TEST(GradeColumnPlan, ListsEveryNameThatMatchesNoneOrSeveralStudents) {
    ClassRecord record = classOf({"Ann Lee", "ann lee", "Bob"});
    GradeColumnPlan p = plan(record, "Name,Score\nZed,80\nAnn Lee,90\nBob,70\nAmy,85\n,75\n");
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.errors, (std::vector<std::string>{
                            "These names in the file match no student of the class:\nZed\nAmy\n"
                            "(no name), line 6",
                            "These names match more than one student of the class:\nAnn Lee"}));
    EXPECT_EQ(p.records[0].problem, ScoreRecord::Problem::NoStudent);
    EXPECT_EQ(p.records[1].problem, ScoreRecord::Problem::SeveralStudents);
    EXPECT_EQ(p.records[2].problem, ScoreRecord::Problem::None);
}

TEST(GradeColumnPlan, ABadScoreOrASecondScoreForOneStudentNamesItsLine) {
    ClassRecord record = classOf({"Ann", "Bob"});
    GradeColumnPlan p = plan(record, "Name,Score\nAnn,A+\nBob,70\nbob,75\nAnn,1e400\n");
    EXPECT_EQ(p.errors, (std::vector<std::string>{
                            "Line 2: the score \"A+\" of Ann is not a number, \"x\" or \"d\".",
                            "Line 4: bob already has a score on line 3.",
                            "Line 5: Ann already has a score on line 2."}));
    EXPECT_EQ(p.records[0].problem, ScoreRecord::Problem::BadScore);
    EXPECT_EQ(p.records[0].student, 0);
}

TEST(GradeColumnPlan, RefusesAFullCategoryAWrongColumnAndAFileWithoutScores) {
    ClassRecord full = classOf({"Ann"}, kMaxGradesPerCategory);
    EXPECT_EQ(plan(full, "Name,Score\nAnn,80\n").errors,
              (std::vector<std::string>{"Quiz already holds 45 grades."}));

    ClassRecord record = classOf({"Ann"});
    EXPECT_EQ(plan(record, "Name,Score\nAnn,80\n", 1).errors.front(),
              "The score column must be 2 or more; column 1 holds the names.");
    // Otherwise every student would be excused without a word.
    EXPECT_EQ(plan(record, "Name,Score\n").errors,
              (std::vector<std::string>{"The file holds no scores after its header record."}));
    EXPECT_EQ(plan(record, "").errors,
              (std::vector<std::string>{"The file holds no scores after its header record."}));
    EXPECT_EQ(plan(record, "Name,Score\nAnn,80\n", 5).errors,
              (std::vector<std::string>{"No record of the file has a column 5."}));
    EXPECT_FALSE(plan(record, "Name,Score\nAnn,80\n", 2, 12).ok());
    EXPECT_FALSE(plan(ClassRecord(), "Name,Score\nAnn,80\n").ok());
}

TEST(AppendGradeColumn, AddsOneColumnForEveryStudent) {
    ClassRecord record = classOf({"Ann", "Bob"}, 2);
    appendGradeColumn(record, 2, {Value("88"), Value("x")});
    EXPECT_EQ(record.gradeCount(2), 3);
    EXPECT_EQ(record.grades(0, 2, 3), Value("88"));
    EXPECT_EQ(record.grades(1, 2, 3), Value("x"));
    EXPECT_EQ(record.grades(0, 2, 2), Value("70"));

    // A category without any count yet starts at grade 1.
    record.gradeCounts[9] = Value();
    appendGradeColumn(record, 9, {Value("1"), Value("2")});
    EXPECT_EQ(record.gradeCounts[9], Value(1));
}

TEST(AppendGradeColumn, RefusesWhatWouldBreakTheClassAndChangesNothing) {
    ClassRecord full = classOf({"Ann"}, kMaxGradesPerCategory);
    EXPECT_THROW(appendGradeColumn(full, 2, {Value("1")}), std::length_error);
    EXPECT_EQ(full.gradeCount(2), kMaxGradesPerCategory);

    ClassRecord record = classOf({"Ann", "Bob"});
    EXPECT_THROW(appendGradeColumn(record, 2, {Value("1")}), std::invalid_argument);
    EXPECT_THROW(appendGradeColumn(record, 0, {Value("1"), Value("2")}), std::invalid_argument);
    EXPECT_THROW(appendGradeColumn(record, 12, {Value("1"), Value("2")}), std::invalid_argument);
    EXPECT_EQ(record.gradeCount(2), 0);
    ClassRecord closed;
    EXPECT_THROW(appendGradeColumn(closed, 2, {}), std::invalid_argument);
}
