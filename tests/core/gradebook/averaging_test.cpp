#include "core/gradebook/averagestable.h"
#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"

#include <gtest/gtest.h>

using namespace tallyro;

namespace {

// A class of one or more students where each category's grades are given as
// texts ("90", "x", "d", "" for never entered).
class ClassBuilder {
public:
    explicit ClassBuilder(int students = 1) {
        record.clearToCapacity();
        record.studentCount = students;
        for (int s = 0; s < students; ++s)
            record.studentNames[s] = "Student " + std::to_string(s + 1);
    }
    ClassBuilder& category(int c, Value weight, std::vector<std::string> grades, int student = 0) {
        record.categoryWeights[c] = weight;
        record.gradeCounts[c] = Value(static_cast<int>(grades.size()));
        for (size_t k = 0; k < grades.size(); ++k)
            record.grades(student, c, static_cast<int>(k) + 1) =
                grades[k].empty() ? Value() : Value(grades[k]);
        return *this;
    }
    ClassRecord record;
};

} // namespace

TEST(CategoryAverage, ExcusedAndDroppedGradesDoNotCount) {
    ClassBuilder b;
    b.category(1, 50, {"90", "x", "80"});
    b.category(2, 50, {"x", "d", "x"});
    b.category(3, 0, {"70", "", "80"});
    EXPECT_DOUBLE_EQ(categoryAverage(b.record, 0, 1), 85);
    EXPECT_DOUBLE_EQ(categoryAverage(b.record, 0, 2), 100); // all excused or dropped
    EXPECT_DOUBLE_EQ(categoryAverage(b.record, 0, 3), 50);  // never entered counts as 0
}

TEST(GrandAverage, WeightsArePercentagesAndAreNotNormalised) {
    ClassBuilder b;
    b.category(1, Value("25"), {"100"}).category(2, 25, {"100"}).category(3, 25, {"100"});
    auto result = computeAverages(b.record, 0, AverageMode::Decimal);
    EXPECT_EQ(result.grandAverage, Value("75"));
    EXPECT_EQ(b.record.grandAverages[0], Value("75"));
}

TEST(GrandAverage, CategoryWithoutGradesAddsNothingWhateverItsWeight) {
    ClassBuilder b;
    b.category(1, 70, {"100"});
    b.record.categoryWeights[4] = Value(30);
    b.record.gradeCounts[4] = Value(0);
    auto result = computeAverages(b.record, 0, AverageMode::Decimal);
    EXPECT_EQ(result.grandAverage.toText(), "70");
    EXPECT_EQ(result.categoryAverages[4], 0);
}

TEST(GrandAverage, EmptyWeightCountsAsZero) {
    ClassBuilder b;
    b.category(1, Value(), {"90"}).category(2, 100, {"80"});
    EXPECT_EQ(computeAverages(b.record, 0, AverageMode::Decimal).grandAverage.toText(), "80");
}

TEST(GrandAverage, ExcusedCategoryContributesItsFullWeight) {
    ClassBuilder b;
    b.category(1, 50, {"x", "d", "x"}).category(2, 50, {"90", "x", "80"});
    EXPECT_EQ(computeAverages(b.record, 0, AverageMode::Decimal).grandAverage.toText(), "92.5");
}

TEST(AverageMode, RoundedRoundsHalvesUp) {
    EXPECT_EQ(applyAverageMode(89.5, AverageMode::Rounded), Value(90));
    EXPECT_EQ(applyAverageMode(89.49, AverageMode::Rounded), Value(89));
    EXPECT_EQ(applyAverageMode(0.5, AverageMode::Rounded), Value(1));
    EXPECT_EQ(applyAverageMode(100, AverageMode::Rounded), Value(100));
    EXPECT_TRUE(applyAverageMode(89.5, AverageMode::Rounded).isNumber());
}

TEST(AverageMode, DecimalTruncatesToFiveCharactersAndNeverRounds) {
    EXPECT_EQ(applyAverageMode(89.4999, AverageMode::Decimal), Value("89.49"));
    EXPECT_EQ(applyAverageMode(260.0 / 3, AverageMode::Decimal), Value("86.66"));
    EXPECT_EQ(applyAverageMode(100, AverageMode::Decimal), Value("100"));
    EXPECT_EQ(applyAverageMode(92.5, AverageMode::Decimal), Value("92.5"));
    EXPECT_EQ(applyAverageMode(5.55555, AverageMode::Decimal), Value("5.555"));
    EXPECT_TRUE(applyAverageMode(92.5, AverageMode::Decimal).isText());
    EXPECT_EQ(averageText(100), "100");
    EXPECT_EQ(averageText(260.0 / 3), "86.66");
}

TEST(AllGrandAverages, EveryStudentInTheChosenMode) {
    ClassBuilder b(3);
    b.category(1, 100, {"89.5"}, 0);
    b.category(1, 100, {"70"}, 1);
    b.category(1, 100, {"x"}, 2);
    computeAllGrandAverages(b.record, 0);
    EXPECT_EQ(b.record.grandAverages[0], Value(90));
    EXPECT_EQ(b.record.grandAverages[1], Value(70));
    EXPECT_EQ(b.record.grandAverages[2], Value(100));
    computeAllGrandAverages(b.record, 1);
    EXPECT_EQ(b.record.grandAverages[0], Value("89.5"));
}

TEST(AveragingErrors, AGradeThatIsNoNumberIsReportedByName) {
    ClassBuilder b(2);
    b.category(2, 50, {"90", "A+", "80"}, 1);
    b.record.studentNames[1] = "Lopez, Maria";
    try {
        computeAllGrandAverages(b.record, 1);
        FAIL() << "no error";
    } catch (const AveragingError& error) {
        EXPECT_EQ(error.student(), 1);
        EXPECT_EQ(error.category(), 2);
        EXPECT_EQ(error.gradeNumber(), 2);
        EXPECT_EQ(error.text(), "A+");
        EXPECT_STREQ(
            error.what(),
            "The grade \"A+\" of Lopez, Maria in Quiz, grade 2, is not a number, \"x\" or \"d\".");
    }
}

TEST(AveragingErrors, UppercaseMarkersAndBadWeightsAreErrorsToo) {
    ClassBuilder b;
    b.category(1, 100, {"X"});
    EXPECT_THROW(computeAverages(b.record, 0, AverageMode::Decimal), AveragingError);
    ClassBuilder w;
    w.category(3, Value("ten"), {"90"});
    try {
        computeAverages(w.record, 0, AverageMode::Decimal);
        FAIL() << "no error";
    } catch (const AveragingError& error) {
        EXPECT_EQ(error.gradeNumber(), 0);
        EXPECT_NE(std::string(error.what()).find("Weekly Test"), std::string::npos);
    }
}

TEST(AveragingErrors, AStudentOutsideTheClassIsRefused) {
    ClassBuilder b(2);
    EXPECT_THROW(computeAverages(b.record, 2, AverageMode::Decimal), std::out_of_range);
    EXPECT_THROW(computeAverages(b.record, -1, AverageMode::Decimal), std::out_of_range);
}

TEST(AveragesTable, OneLinePerStudentAsTheGradeBookShowsIt) {
    ClassBuilder b(2);
    b.category(1, 60, {"90", "80"}, 0).category(2, 40, {"100"}, 0);
    b.category(1, 60, {"70", "x"}, 1).category(2, 40, {"65"}, 1);
    b.record.studentNames[0] = "Ann";
    b.record.studentNames[1] = "Bob";
    EXPECT_EQ(formatAveragesTable(b.record, AverageMode::Decimal),
              "Ann\t91\t85\t100\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
              "Bob\t68\t70\t65\t0\t0\t0\t0\t0\t0\t0\t0\t0\n");
}

TEST(Categories, TheElevenNamesInOrder) {
    ClassRecord record;
    record.clearToCapacity();
    setgradetypes(record);
    EXPECT_EQ(record.categoryNames[1], "Homework");
    EXPECT_EQ(record.categoryNames[4], "3 Week Test");
    EXPECT_EQ(record.categoryNames[11], "Special Project");
    EXPECT_EQ(record.categoryNames[0], "");
}

TEST(AveragingErrors, AnAverageThatIsNoFiniteNumberNamesStudentAndCategory) {
    // One huge grade in a category weighted 100: the weighted share overflows.
    ClassBuilder one(2);
    one.category(1, 100, {"1e308"}, 1);
    one.record.studentNames[1] = "Kim";
    try {
        computeAllGrandAverages(one.record, 1);
        FAIL() << "no error";
    } catch (const AveragingError& error) {
        EXPECT_TRUE(error.isNotFinite());
        EXPECT_EQ(error.student(), 1);
        EXPECT_EQ(error.category(), 1);
        std::string what = error.what();
        EXPECT_NE(what.find("of Kim in Homework"), std::string::npos) << what;
        EXPECT_EQ(what.find("Infin"), std::string::npos) << what;
    }
    // Two of them overflow the category's own average.
    ClassBuilder two;
    two.category(5, 10, {"1e308", "1e308"});
    EXPECT_THROW(categoryAverage(two.record, 0, 5), AveragingError);
    EXPECT_THROW(formatAveragesTable(two.record, AverageMode::Decimal), AveragingError);
    // Large but finite stays a number.
    ClassBuilder large;
    large.category(1, 50, {"1e305"});
    EXPECT_EQ(computeAverages(large.record, 0, AverageMode::Decimal).grandAverage.toText(),
              "5E+30");
}
