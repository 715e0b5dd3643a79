#include "core/classfile/textfile.h"
#include "core/gradebook/averaging.h"
#include "core/stats/classstats.h"
#include "core/stats/histogram.h"
#include "statsclass.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tallyro;
using tallyro::test::StatsClass;

namespace {

std::string fieldsOf(const ClassStatistics& statistics, const std::string& item) {
    for (const StatRecord& record : statistics.records) {
        if (record.item != item)
            continue;
        std::string line;
        for (const std::string& field : statFields(record))
            line += (line.empty() ? "" : "|") + field;
        return line;
    }
    return "(no record " + item + ")";
}

std::vector<std::string> grades(std::initializer_list<const char*> texts) {
    return {texts.begin(), texts.end()};
}

} // namespace

// The whole table of the hand-computed class, in both modes: excused and
// dropped grades left out, an empty cell counted as 0, a category without
// grades left out, weights that do not add up to 100 not rescaled.
TEST(ClassStatistics, HandComputedClassGivesTheKeptTables) {
    ClassRecord record = test::handClass().record;
    EXPECT_EQ(formatStatisticsTable(computeClassStatistics(record, AverageMode::Decimal, 70)),
              readTextFile(TALLYRO_TEST_DATA "/stats-class-decimal.tsv"));
    EXPECT_EQ(formatStatisticsTable(computeClassStatistics(record, AverageMode::Rounded, 70)),
              readTextFile(TALLYRO_TEST_DATA "/stats-class-rounded.tsv"));
}

// The statistics must show exactly what the grade book shows; a drift in
// either averaging would show here.
TEST(ClassStatistics, GrandAveragesAreThoseOfTheGradeBook) {
    StatsClass c = test::handClass();
    c.category(5, "7.5", {{"93.3"}, {"x"}, {"-4"}}).category(11, Value(), {{"50"}, {"60"}, {"70"}});
    for (AverageMode mode : {AverageMode::Decimal, AverageMode::Rounded}) {
        ClassStatistics statistics = computeClassStatistics(c.record, mode, 70);
        ClassRecord copy = c.record;
        for (int s = 0; s < c.record.studentCount; ++s) {
            StudentAverages expected = computeAverages(copy, s, mode);
            EXPECT_EQ(statistics.students[s].shownGrand, expected.grandAverage) << s;
            EXPECT_EQ(statistics.students[s].categoryAverages, expected.categoryAverages) << s;
            EXPECT_DOUBLE_EQ(statistics.students[s].grandValue, expected.grandAverage.toNumber());
        }
    }
}

TEST(ClassStatistics, RecordsWithoutValuesPrintDashes) {
    StatsClass nobody({});
    nobody.record.gradeCounts[2] = Value(1);
    ClassStatistics statistics = computeClassStatistics(nobody.record, AverageMode::Decimal, 70);
    EXPECT_EQ(fieldsOf(statistics, "Quiz 1"), "Quiz 1|0|-|-|-|-|-|0");
    EXPECT_EQ(fieldsOf(statistics, "Grand average"), "Grand average|0|-|-|-|-|-|0");

    // A column everybody is excused from has no values either, while its
    // category average is 100 for each of them.
    StatsClass excused({"A", "B"});
    excused.category(2, "100", {{"x"}, {"d"}});
    statistics = computeClassStatistics(excused.record, AverageMode::Decimal, 70);
    EXPECT_EQ(fieldsOf(statistics, "Quiz 1"), "Quiz 1|0|-|-|-|-|-|0");
    EXPECT_EQ(fieldsOf(statistics, "Quiz average"),
              "Quiz average|2|100.00|100.00|0.00|100.00|100.00|0");
}

TEST(ClassStatistics, OneStudentAndAFullClass) {
    StatsClass one({"Solo"});
    one.category(9, "100", {{"68.126", "71"}});
    ClassStatistics statistics = computeClassStatistics(one.record, AverageMode::Decimal, 70);
    EXPECT_EQ(fieldsOf(statistics, "Essay 1"), "Essay 1|1|68.13|68.13|0.00|68.13|68.13|1");
    EXPECT_EQ(fieldsOf(statistics, "Essay average"),
              "Essay average|1|69.56|69.56|0.00|69.56|69.56|1");
    // 69.5625 shows as 69.56 in Decimal mode, and as 70 (not failing) in Rounded.
    EXPECT_EQ(fieldsOf(statistics, "Grand average"),
              "Grand average|1|69.56|69.56|0.00|69.56|69.56|1");
    statistics = computeClassStatistics(one.record, AverageMode::Rounded, 70);
    EXPECT_EQ(fieldsOf(statistics, "Grand average"),
              "Grand average|1|70.00|70.00|0.00|70.00|70.00|0");

    // 46 students with Quiz grades 0, 2, ..., 90: an even count, so the
    // median is the mean of the two middle ones.
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> quiz;
    for (int s = 0; s < kStudentSlots; ++s) {
        names.push_back("Student " + std::to_string(s + 1));
        quiz.push_back({std::to_string(2 * (45 - s))}); // roster order is not sorted
    }
    StatsClass full(names);
    full.category(2, "100", quiz);
    statistics = computeClassStatistics(full.record, AverageMode::Decimal, 70);
    EXPECT_EQ(fieldsOf(statistics, "Quiz 1"), "Quiz 1|46|45.00|45.00|26.55|0.00|90.00|35");
    EXPECT_EQ(statistics.grandRecord().values.size(), 46u);
}

TEST(ClassStatistics, AGradeThatCannotBeAveragedIsNamedAsTheGradeBookNamesIt) {
    StatsClass c = test::handClass();
    c.record.grades(1, 2, 2) = Value("A+");
    ClassRecord copy = c.record;
    std::string expected;
    try {
        computeAllGrandAverages(copy, 1);
    } catch (const AveragingError& error) {
        expected = error.what();
    }
    ASSERT_FALSE(expected.empty());
    try {
        computeClassStatistics(c.record, AverageMode::Decimal, 70);
        FAIL() << "no error";
    } catch (const AveragingError& error) {
        EXPECT_EQ(error.what(), expected);
        EXPECT_EQ(error.student(), 1);
        EXPECT_EQ(error.gradeNumber(), 2);
    }
    c.record.grades(1, 2, 2) = Value("90");
    c.record.categoryWeights[8] = Value("twenty");
    EXPECT_THROW(computeClassStatistics(c.record, AverageMode::Decimal, 70), AveragingError);
}

TEST(ClassStatistics, FiguresTooLargeForNumbersAreRefusedNotPrinted) {
    StatsClass c({"A", "B"});
    c.category(10, "0", {{"1e308"}, {"1.5e308"}});
    EXPECT_THROW(computeClassStatistics(c.record, AverageMode::Decimal, 70), std::overflow_error);
}

// A tiny grand average is cut to "1.5E-" in Decimal mode, which is no
// number; the statistics still count the student.
TEST(ClassStatistics, ACutExponentFallsBackToTheComputedValue) {
    StatsClass c({"A"});
    c.category(1, "0.00015", {{"0.1"}});
    ClassStatistics statistics = computeClassStatistics(c.record, AverageMode::Decimal, 70);
    EXPECT_EQ(statistics.students[0].shownGrand, Value("1.5E-"));
    EXPECT_DOUBLE_EQ(statistics.students[0].grandValue, 0.1 * 0.00015 * 0.01);
    EXPECT_EQ(statistics.grandRecord().summary.below, 1);
}

TEST(Histogram, BandsOfTenWithTheFailingPart) {
    auto bands = histogramBands({-5, 0, 9.99, 10, 64, 69.99, 70, 99.99, 100, 250}, 70);
    std::vector<int> counts, failing;
    for (const HistogramBand& band : bands) {
        counts.push_back(band.count);
        failing.push_back(band.failing);
    }
    EXPECT_EQ(counts, (std::vector<int>{3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2}));
    EXPECT_EQ(failing, (std::vector<int>{3, 1, 0, 0, 0, 0, 2, 0, 0, 0, 0}));
    EXPECT_EQ(bands[0].label(), "0-9");
    EXPECT_EQ(bands[9].label(), "90-99");
    EXPECT_EQ(bands[10].label(), "100+");
    EXPECT_TRUE(bands[6].wholeBandFails);
    EXPECT_FALSE(bands[7].wholeBandFails);

    // A limit inside a band: the band is not wholly failing, its values
    // below the limit still count as failing.
    bands = histogramBands({62, 67}, 65);
    EXPECT_FALSE(bands[6].wholeBandFails);
    EXPECT_TRUE(bands[5].wholeBandFails);
    EXPECT_EQ(bands[6].count, 2);
    EXPECT_EQ(bands[6].failing, 1);
    EXPECT_FALSE(histogramBands({}, 1000)[10].wholeBandFails);
}

TEST(StudentsAtRisk, BelowOrWithinFivePointsLowestFirst) {
    StatsClass c({"Ann", "Bob", "Cy", "Di", "Ed", "Flo", "Gus"});
    c.category(1, "100",
               {grades({"64"}), grades({"70"}), grades({"75"}), grades({"75.01"}), grades({"90"}),
                grades({"69.99"}), grades({"64"})});
    ClassStatistics statistics = computeClassStatistics(c.record, AverageMode::Decimal, 70);
    std::vector<AtRiskStudent> list = studentsAtRisk(statistics);
    std::vector<int> who;
    std::vector<bool> below;
    for (const AtRiskStudent& student : list) {
        who.push_back(student.student);
        below.push_back(student.below);
    }
    EXPECT_EQ(who, (std::vector<int>{0, 6, 5, 1, 2})); // ties keep roster order
    EXPECT_EQ(below, (std::vector<bool>{true, true, true, false, false}));

    // In Rounded mode 69.99 shows as 70: the list goes by what is shown.
    statistics = computeClassStatistics(c.record, AverageMode::Rounded, 70);
    list = studentsAtRisk(statistics);
    ASSERT_EQ(list.size(), 6u); // 75.01 rounds to 75
    EXPECT_EQ(list[2].student, 1);
    EXPECT_FALSE(list[2].below);
}
