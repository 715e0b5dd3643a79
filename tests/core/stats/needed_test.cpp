#include "core/stats/classstats.h"
#include "core/stats/needed.h"
#include "statsclass.h"

#include <gtest/gtest.h>

using namespace tallyro;
using tallyro::test::StatsClass;

namespace {

std::string line(const ClassRecord& record, int student, int category, double target) {
    return neededLine(neededScore(record, student, category, target));
}

// The student's computed grand average once one more grade is added.
double withNewGrade(ClassRecord record, int student, int category, double grade) {
    int k = record.gradeCount(category) + 1;
    record.gradeCounts[category] = Value(k);
    for (int s = 0; s < record.studentCount; ++s)
        record.grades(s, category, k) = Value("x");
    record.grades(student, category, k) = Value(grade);
    return computedGrandAverage(record, student);
}

} // namespace

TEST(Needed, HandComputedAnswers) {
    ClassRecord r = test::handClass().record;
    EXPECT_EQ(line(r, 1, 2, 70), "needed 301.12"); // above 100 is still an answer
    EXPECT_EQ(line(r, 0, 1, 85), "needed 121.75");
    EXPECT_EQ(line(r, 0, 2, 70), "reached");       // 80.1 already
    EXPECT_EQ(line(r, 1, 3, 70), "needed 75.34");  // no grades yet: its weight starts to count
    EXPECT_EQ(line(r, 2, 1, 95), "needed 131.25"); // all excused or dropped: m = 0
    EXPECT_EQ(line(r, 2, 8, 85), "needed 112.5");  // the one grade excused
    EXPECT_EQ(line(r, 1, 9, 70), "not reachable"); // empty weight
    r.categoryWeights[9] = Value(0);
    EXPECT_EQ(line(r, 1, 9, 70), "not reachable");
    r.categoryWeights[9] = Value(-10);
    EXPECT_EQ(line(r, 1, 9, 70), "not reachable"); // a higher grade would only lower it
    EXPECT_EQ(line(r, 1, 9, 30), "reached");       // 32.33 is at least 30
}

// Whatever the class, the answer is the least grade (to the hundredth) that
// reaches the target: with it the target is reached, a hundredth less is not.
TEST(Needed, TheAnswerIsTheLeastGradeThatReaches) {
    ClassRecord r = test::handClass().record;
    int checked = 0;
    for (int s = 0; s < r.studentCount; ++s)
        for (int c : {1, 2, 3, 8})
            for (double target : {50.0, 70.0, 77.7, 90.0, 100.0}) {
                NeededAnswer answer = neededScore(r, s, c, target);
                if (answer.kind != NeededKind::Needed)
                    continue;
                ++checked;
                EXPECT_GE(withNewGrade(r, s, c, answer.score), target - 1e-9) << s << c << target;
                EXPECT_LT(withNewGrade(r, s, c, answer.score - 0.01), target) << s << c << target;
            }
    EXPECT_GT(checked, 20);
}

TEST(Needed, InWords) {
    StatsClass c({"Baker, Noah"});
    c.category(2, "100", {{"61.5"}});
    NeededAnswer answer = neededScore(c.record, 0, 2, 70);
    EXPECT_EQ(neededSentence("Baker, Noah", 2, 70, answer),
              "Baker, Noah needs 78.5 or more on the next Quiz to reach 70");
    EXPECT_EQ(neededSentence("Baker, Noah", 2, 100, neededScore(c.record, 0, 2, 100)),
              "Baker, Noah needs 138.5 or more on the next Quiz to reach 100 (more than 100 "
              "points)");
}

TEST(Needed, OutsideTheClassAndBadGrades) {
    ClassRecord r = test::handClass().record;
    EXPECT_THROW(neededScore(r, 3, 1, 70), std::out_of_range);
    EXPECT_THROW(neededScore(r, 0, 12, 70), std::out_of_range);
    r.grades(0, 2, 1) = Value("A+");
    EXPECT_THROW(neededScore(r, 0, 1, 70), AveragingError);
}

TEST(Needed, RoundsUpToHundredthsWithoutBinaryNoise) {
    EXPECT_DOUBLE_EQ(roundUpToHundredths(78.5), 78.5);
    EXPECT_DOUBLE_EQ(roundUpToHundredths(78.50000000000001), 78.5);
    EXPECT_DOUBLE_EQ(roundUpToHundredths(0.1 + 0.2), 0.3);
    EXPECT_DOUBLE_EQ(roundUpToHundredths(78.501), 78.51);
    EXPECT_DOUBLE_EQ(roundUpToHundredths(301.1111), 301.12);
}

TEST(Needed, CategoryByNameOrNumber) {
    EXPECT_EQ(categoryFromText("quiz"), 2);
    EXPECT_EQ(categoryFromText("3 WEEK TEST"), 4);
    EXPECT_EQ(categoryFromText("3"), 3);
    EXPECT_EQ(categoryFromText("0"), std::nullopt);
    EXPECT_EQ(categoryFromText("12"), std::nullopt);
    EXPECT_EQ(categoryFromText("Quizzes"), std::nullopt);
}
