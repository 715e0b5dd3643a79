#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/roster/roster.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tallyro;

namespace {

std::string dataFile(const char* name) {
    return std::string(TALLYRO_TEST_DATA) + "/" + name;
}

ClassRecord classWithStudents(int students, int homework, int quizzes) {
    ClassRecord record;
    record.clearToCapacity();
    record.gradeCounts[1] = Value(homework);
    record.gradeCounts[2] = Value(quizzes);
    for (int s = 0; s < students; ++s) {
        record.studentNames[s] = "Student " + std::to_string(s + 1);
        for (int k = 1; k <= homework; ++k)
            record.grades(s, 1, k) = Value("80");
        for (int k = 1; k <= quizzes; ++k)
            record.grades(s, 2, k) = Value("d");
    }
    record.studentCount = students;
    return record;
}

} // namespace

TEST(SortedRoster, IgnoresCaseAndKeepsEqualNamesInTypedOrder) {
    std::vector<std::string> names;
    for (const char* name : {"b", "A", "c"})
        insertSorted(names, name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));

    // Equal apart from case: the later one goes after, whichever case it has.
    insertSorted(names, "B");
    insertSorted(names, "a");
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "b", "B", "c"}));

    // Surnames with commas and accented capitals fold like plain letters.
    std::vector<std::string> people;
    for (const char* name : {"Zimmer, Karl", "\xC3\x89mile", "adams, Beth", "\xC3\xa9lise", "Eve"})
        insertSorted(people, name);
    EXPECT_EQ(people, (std::vector<std::string>{"adams, Beth", "Eve", "Zimmer, Karl",
                                                "\xC3\xa9lise", "\xC3\x89mile"}));
    EXPECT_TRUE(nameLessIgnoringCase("apple", "Banana"));
    EXPECT_FALSE(nameLessIgnoringCase("APPLE", "apple"));
}

TEST(SortedRoster, DoubleQuotesAreDroppedAndCommasKept) {
    EXPECT_EQ(withoutDoubleQuotes("\"Bud\" Smith, Jr."), "Bud Smith, Jr.");
    EXPECT_EQ(withoutDoubleQuotes("\"\""), "");
}

TEST(ExtractNames, TakesOnlyTheNamesOfAValidFile) {
    auto names = readStudentNames(dataFile("roster-three-students.grd"));
    EXPECT_EQ(names, (std::vector<std::string>{"Zimmer, Karl", "adams, Beth", "Moreno, Luis"}));

    // A file cut short is refused as a whole rather than giving some names.
    EXPECT_THROW(extractStudentNames("40,2\r\n20,1\r\n3\r\n"), FileError);
    EXPECT_THROW(readStudentNames(dataFile("roster-no-such-file.grd")), FileError);
    // A class with no students gives an empty list.
    EXPECT_TRUE(extractStudentNames(",\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n,\r\n0\r\n")
                    .empty());
}

TEST(NewRoster, StartsConsistentEvenAfterAFailedRead) {
    ClassRecord record; // emptied to nothing, as after a failed read
    ASSERT_FALSE(record.hasCapacity());
    startNewRoster(record);
    ASSERT_TRUE(record.hasCapacity());
    for (int c = 1; c <= kCategoryCount; ++c) {
        EXPECT_EQ(record.categoryWeights[c], Value(0));
        EXPECT_EQ(record.gradeCount(c), 0);
    }

    ClassRecord emptied;
    std::vector<std::string> names(45, "Pat");
    storeRoster(emptied, names);
    EXPECT_EQ(emptied.studentCount, 45);
    EXPECT_EQ(emptied.studentNames[44], "Pat");
    EXPECT_EQ(emptied.studentNames[45], "");
    EXPECT_THROW(storeRoster(emptied, std::vector<std::string>(47, "x")), std::length_error);

    // A stored roster writes and reads back as a class with no grades.
    ClassRecord back;
    parseClassFile(formatClassFile(emptied), back);
    EXPECT_EQ(back.studentCount, 45);
    EXPECT_EQ(back.categoryWeights[3], Value(0));
}

TEST(AddStudent, NewStudentIsExcusedInEveryRecordedGrade) {
    ClassRecord record = classWithStudents(10, 4, 2);
    addStudentWithExcusedGrades(record, "New \"Kid\"");
    ASSERT_EQ(record.studentCount, 11);
    EXPECT_EQ(record.studentNames[10], "New Kid");
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(record.grades(10, 1, k), Value("x")) << k;
    for (int k = 1; k <= 2; ++k)
        EXPECT_EQ(record.grades(10, 2, k), Value("x")) << k;
    EXPECT_TRUE(record.grades(10, 1, 5).isEmpty());
    EXPECT_TRUE(record.grades(10, 3, 1).isEmpty());
    EXPECT_EQ(record.grades(9, 1, 4), Value("80"));

    // The eleventh student survives the trip through the file.
    ClassRecord back;
    parseClassFile(formatClassFile(record), back);
    EXPECT_EQ(back.studentCount, 11);
    EXPECT_EQ(back.grades(10, 2, 2), Value("x"));
}

TEST(AddStudent, RefusesAFullOrUnloadedClass) {
    ClassRecord full = classWithStudents(45, 1, 0);
    EXPECT_FALSE(canAddStudent(full));
    EXPECT_THROW(addStudentWithExcusedGrades(full, "One Too Many"), std::length_error);
    EXPECT_EQ(full.studentCount, 45);

    // A file may hold 46 students; adding must not write past the last slot.
    ClassRecord overfull = classWithStudents(46, 0, 0);
    EXPECT_THROW(addStudentWithExcusedGrades(overfull, "Extra"), std::length_error);

    ClassRecord nothing;
    EXPECT_FALSE(canAddStudent(nothing));
    EXPECT_THROW(addStudentWithExcusedGrades(nothing, "Nobody"), std::length_error);

    ClassRecord almost = classWithStudents(44, 2, 0);
    addStudentWithExcusedGrades(almost, "Last One");
    EXPECT_EQ(almost.studentCount, 45);
    EXPECT_FALSE(canAddStudent(almost));
}
