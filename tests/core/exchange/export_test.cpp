#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/exchange/exporttable.h"

#include <gtest/gtest.h>

using namespace tallyro;

namespace {

std::string dataFile(const char* name) {
    return std::string(TALLYRO_TEST_DATA) + "/" + name;
}

ClassRecord exampleClass() {
    ClassRecord record;
    readClassFile(dataFile("exchange-class.grd"), record);
    return record;
}

ClassRecord emptyClass(int students) {
    ClassRecord record;
    record.clearToCapacity();
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(0);
        record.gradeCounts[c] = Value(0);
    }
    for (int s = 0; s < students; ++s)
        record.studentNames[s] = "Student " + std::to_string(s + 1);
    record.studentCount = students;
    return record;
}

} // namespace

// Commas and accents in names, an empty category between two recorded ones,
// "x", "d", an empty cell, a grade stored as a number and one as "87.59".
TEST(GradeExport, MatchesTheGoldenFilesInBothModes) {
    ClassRecord record = exampleClass();
    EXPECT_EQ(sheetCsv(gradesSheet(record, AverageMode::Decimal)),
              readTextFile(dataFile("exchange-class-decimal.csv")));
    EXPECT_EQ(sheetCsv(gradesSheet(record, AverageMode::Rounded)),
              readTextFile(dataFile("exchange-class-rounded.csv")));
}

TEST(GradeExport, CellsAreNumbersExceptMarkersAndNames) {
    ClassRecord record = exampleClass();
    ExportSheet sheet = gradesSheet(record, AverageMode::Decimal);
    ASSERT_EQ(sheet.rows.size(), 5u);
    const ExportRow& nunez = sheet.rows[2];
    EXPECT_EQ(nunez[0], ExportCell::ofText("N\xC3\xBA\xC3\xB1"
                                           "ez, Jos\xC3\xA9"));
    EXPECT_EQ(nunez[3], (ExportCell{"", std::nullopt})); // never entered
    EXPECT_EQ(nunez[4], (ExportCell{"92.5", 92.5}));     // stored as a number
    EXPECT_EQ(nunez[5], (ExportCell{"87.59", 87.59}));   // stored as text
    EXPECT_EQ(nunez[6], ExportCell::ofText("x"));
    EXPECT_EQ(nunez[8], (ExportCell{"90.04", 90.04})); // cut, not rounded
    EXPECT_EQ(nunez.back(), (ExportCell{"82.50", 82.5}));
    EXPECT_EQ(sheet.rows[1][5], ExportCell::ofText("d"));
    EXPECT_EQ(gradesSheet(record, AverageMode::Rounded).rows[2].back(), (ExportCell{"83", 83}));
}

TEST(GradeExport, LeavesTheClassRecordAsItWas) {
    ClassRecord record = exampleClass();
    std::string before = formatClassFile(record);
    gradesSheet(record, AverageMode::Rounded);
    EXPECT_EQ(formatClassFile(record), before);
    EXPECT_TRUE(record.grandAverages[0].isEmpty());
}

TEST(GradeExport, AClassWithoutGradeColumnsHasOnlyNamesAndGrandAverage) {
    ClassRecord record = emptyClass(2);
    EXPECT_EQ(sheetCsv(gradesSheet(record, AverageMode::Decimal)),
              "Student,Grand average\r\nStudent 1,0\r\nStudent 2,0\r\n");
    EXPECT_EQ(sheetCsv(gradesSheet(emptyClass(0), AverageMode::Decimal)),
              "Student,Grand average\r\n");
}

TEST(GradeExport, ANameWithQuotesOrALineBreakStaysOneField) {
    // The grade file cannot hold such a name, but a class built in memory can.
    ClassRecord record = emptyClass(2);
    record.studentNames[0] = "Ann \"Red\" Lee";
    record.studentNames[1] = "=SUM(A1)";
    EXPECT_EQ(sheetCsv(gradesSheet(record, AverageMode::Decimal)),
              "Student,Grand average\r\n\"Ann \"\"Red\"\" Lee\",0\r\n=SUM(A1),0\r\n");
    // In a workbook the name stays text.
    EXPECT_FALSE(gradesSheet(record, AverageMode::Decimal).rows[2][0].number.has_value());
}

TEST(GradeExport, AGradeThatCannotCountStopsTheExport) {
    ClassRecord record = emptyClass(1);
    record.gradeCounts[1] = Value(1);
    record.grades(0, 1, 1) = Value("A+");
    EXPECT_THROW(gradesSheet(record, AverageMode::Decimal), AveragingError);
}
