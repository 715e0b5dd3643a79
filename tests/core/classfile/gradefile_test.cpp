#include "core/classfile/classrecord.h"
#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tallyro;

namespace {

std::string weightsLines(const std::string& firstCount = "0") {
    std::string text = "50," + firstCount + "\r\n";
    for (int c = 2; c <= 11; ++c)
        text += ",\r\n";
    return text;
}

class TempFolder {
public:
    TempFolder() {
        path_ =
            std::filesystem::temp_directory_path() /
            ("tallyro-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(GradeFile, EmptyClassIsTwelveLines) {
    ClassRecord record;
    record.clearToCapacity();
    std::string text = formatClassFile(record);
    std::string expected;
    for (int c = 1; c <= 11; ++c)
        expected += ",\r\n";
    EXPECT_EQ(text, expected + "0\r\n");
    ClassRecord back;
    parseClassFile(text, back);
    EXPECT_EQ(back.studentCount, 0);
    EXPECT_TRUE(back.categoryWeights[1].isEmpty());
    EXPECT_TRUE(back.gradeCounts[1].isEmpty());
}

TEST(GradeFile, ValuesKeepTheirKindsThroughAFile) {
    ClassRecord record;
    record.clearToCapacity();
    record.categoryWeights[1] = Value("40"); // typed text
    record.gradeCounts[1] = Value(3);        // a number
    record.categoryWeights[2] = Value(60);
    record.gradeCounts[2] = Value(0);
    record.studentCount = 2;
    record.studentNames[0] = "Smith, Ann";
    record.studentNames[1] = "O'Neil Bob";
    record.grades(0, 1, 1) = Value("95");
    record.grades(0, 1, 2) = Value("x");
    record.grades(0, 1, 3) = Value(); // never entered
    record.grades(1, 1, 1) = Value(88.5);
    record.grades(1, 1, 2) = Value("d");
    record.grades(1, 1, 3) = Value("100");

    std::string text = formatClassFile(record);
    EXPECT_EQ(text.substr(0, 8), "\"40\",3\r\n");
    EXPECT_NE(text.find("\r\n60,0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"Smith, Ann\"\r\n\"95\"\r\n\"x\"\r\n\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n88.5\r\n"), std::string::npos);

    ClassRecord back;
    parseClassFile(text, back);
    EXPECT_EQ(back.categoryWeights[1], Value("40"));
    EXPECT_EQ(back.gradeCounts[1], Value(3));
    EXPECT_EQ(back.categoryWeights[2], Value(60));
    EXPECT_EQ(back.studentCount, 2);
    EXPECT_EQ(back.studentNames[0], "Smith, Ann");
    EXPECT_EQ(back.grades(0, 1, 1), Value("95"));
    EXPECT_EQ(back.grades(0, 1, 2), Value("x"));
    EXPECT_TRUE(back.grades(0, 1, 3).isEmpty());
    EXPECT_EQ(back.grades(1, 1, 1), Value(88.5));
    EXPECT_EQ(formatClassFile(back), text);
}

// The grades are kept line by line, each line made on its first write: a
// reference must outlive writes to its neighbours, reads must not need a
// line, a copy must not share lines, and a resize must empty everything.
TEST(GradeTable, CellsStayPutAndEmptyUntilWritten) {
    ClassRecord record;
    record.clearToCapacity();
    const ClassRecord& read = record;
    EXPECT_TRUE(read.grades(45, 11, 45).isEmpty());

    Value& first = record.grades(3, 2, 1);
    first = Value(90);
    for (int k = 2; k <= kMaxGradesPerCategory; ++k)
        record.grades(3, 2, k) = Value("x");
    record.grades(4, 2, 1) = Value(70);
    EXPECT_EQ(&first, &record.grades(3, 2, 1));
    EXPECT_EQ(read.grades(3, 2, 1).toNumber(), 90);
    EXPECT_TRUE(read.grades(3, 3, 1).isEmpty()) << "a neighbouring category is its own line";

    ClassRecord copy = record;
    copy.grades(3, 2, 1) = Value(10);
    EXPECT_EQ(read.grades(3, 2, 1).toNumber(), 90);

    record.clearToCapacity();
    EXPECT_TRUE(read.grades(3, 2, 1).isEmpty());
    EXPECT_THROW(record.grades(46, 1, 1), std::out_of_range);
    EXPECT_THROW(read.grades(1, 1, 46), std::out_of_range);
    EXPECT_THROW(read.grades(1, -1, 1), std::out_of_range);
}

TEST(GradeFile, CategoryWithoutCountWritesNoGradeLines) {
    ClassRecord record;
    record.clearToCapacity();
    record.gradeCounts[3] = Value(0);
    record.categoryWeights[3] = Value(25);
    record.studentCount = 1;
    record.studentNames[0] = "Lee";
    std::string text = formatClassFile(record);
    // 11 weight lines, the count, the name: nothing else.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);
}

TEST(GradeFile, ReadsLineFeedsAloneAndBlanksAroundNumbers) {
    std::string text = " 50 , 2 \n";
    for (int c = 2; c <= 11; ++c)
        text += ",\n";
    text += "1\n\"Kim\"\n 90 \n\"x\"\n";
    ClassRecord record;
    parseClassFile(text, record);
    EXPECT_EQ(record.categoryWeights[1], Value(50));
    EXPECT_EQ(record.gradeCount(1), 2);
    EXPECT_EQ(record.grades(0, 1, 1), Value(90));
    EXPECT_EQ(record.grades(0, 1, 2), Value("x"));
}

TEST(GradeFile, RefusesWhatWouldIndexPastTheRecord) {
    struct Case {
        std::string text;
        std::string expected;
    };
    std::vector<Case> cases = {
        {weightsLines("46") + "0\r\n", "Line 1: the grade count \"46\" of category 1"},
        {weightsLines("-1") + "0\r\n", "grade count \"-1\""},
        {weightsLines("2.5") + "0\r\n", "grade count \"2.5\""},
        {weightsLines() + "47\r\n", "Line 12: the number of students \"47\""},
        {weightsLines() + "\"many\"\r\n", "the number of students \"many\""},
        {weightsLines() + "-3\r\n", "the number of students \"-3\""},
        {weightsLines(), "ends at line 12 before the number of students"},
        {"50,0\r\n", "ends at line 2 before the weight and grade count of category 2"},
        {weightsLines("2") + "1\r\n\"Ann\"\r\n90\r\n",
         "before grade 2 of category 1 of student 1 (Ann)"},
        {weightsLines() + "2\r\n\"Ann\"\r\n", "before the name of student 2"},
        {weightsLines() + "1\r\n\"Ann\r\n", "no closing double quote"},
    };
    for (const auto& c : cases) {
        ClassRecord record;
        try {
            parseClassFile(c.text, record);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expected), std::string::npos)
                << error.what();
        }
    }
}

TEST(GradeFile, FortySixStudentsIsTheCapacity) {
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 46;
    for (int s = 0; s < 46; ++s)
        record.studentNames[s] = "Student " + std::to_string(s + 1);
    ClassRecord back;
    parseClassFile(formatClassFile(record), back);
    EXPECT_EQ(back.studentCount, 46);
    EXPECT_EQ(back.studentNames[45], "Student 46");
}

TEST(GradeFile, ExtraLinesAfterTheLastStudentAreIgnored) {
    ClassRecord record;
    parseClassFile(weightsLines() + "0\r\nleft over\r\n", record);
    EXPECT_EQ(record.studentCount, 0);
}

TEST(GradeFile, ADoubleQuoteInANameCannotCorruptTheFile) {
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 2;
    record.studentNames[0] = "Robert \"Bob\" Lee";
    record.studentNames[1] = "Ann";
    ClassRecord back;
    parseClassFile(formatClassFile(record), back);
    EXPECT_EQ(back.studentCount, 2);
    EXPECT_EQ(back.studentNames[0], "Robert 'Bob' Lee");
    EXPECT_EQ(back.studentNames[1], "Ann");
}

TEST(GradeFileOnDisk, ReadsWindows1252AndWritesUtf8) {
    TempFolder folder;
    std::string path = folder.file("OLD.grd");
    {
        std::ofstream out(path, std::ios::binary);
        out << weightsLines() << "1\r\n\"Jos\xE9 Mu\xF1oz\"\r\n";
    }
    ClassRecord record;
    readClassFile(path, record);
    EXPECT_EQ(record.studentNames[0], "Jos\xC3\xA9 Mu\xC3\xB1oz");
    writeClassFile(path, record);
    EXPECT_NE(slurp(path).find("\"Jos\xC3\xA9 Mu\xC3\xB1oz\""), std::string::npos);
}

TEST(GradeFileOnDisk, AFailedReadEmptiesTheRecord) {
    TempFolder folder;
    std::string path = folder.file("SHORT.grd");
    {
        std::ofstream out(path, std::ios::binary);
        out << "50,0\r\n";
    }
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 3;
    EXPECT_THROW(readClassFile(path, record), FileError);
    EXPECT_EQ(record.studentCount, 0);
    EXPECT_FALSE(record.hasCapacity());
    EXPECT_THROW(readClassFile(folder.file("MISSING.grd"), record), FileError);
}

TEST(GradeFileOnDisk, AFailedWriteKeepsTheOldFile) {
    TempFolder folder;
    std::string path = folder.file("ROOM5.grd");
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 1;
    record.studentNames[0] = "Ann";
    writeClassFile(path, record);
    std::string before = slurp(path);

    // A class that claims more students than it holds is refused whole.
    ClassRecord broken;
    broken.studentCount = 5;
    EXPECT_THROW(writeClassFile(path, broken), FileError);
    EXPECT_EQ(slurp(path), before);

    // A folder that cannot be written to reports an error and leaves the file.
    std::filesystem::permissions(std::filesystem::path(path).parent_path(),
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::owner_exec);
    bool writable = ::access(std::filesystem::path(path).parent_path().c_str(), W_OK) == 0;
    if (!writable) { // root writes anywhere; the check only means something for others
        EXPECT_THROW(writeClassFile(path, record), FileError);
    }
    std::filesystem::permissions(std::filesystem::path(path).parent_path(),
                                 std::filesystem::perms::owner_all);
    EXPECT_EQ(slurp(path), before);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(TextFile, Utf8IsValidatedStrictly) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9"));
    EXPECT_FALSE(isValidUtf8("caf\xE9"));
    EXPECT_FALSE(isValidUtf8("\xC3"));         // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_EQ(decodeFileBytes("\x93quoted\x94 \x80"),
              "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC");
    EXPECT_EQ(decodeFileBytes("\xEF\xBB\xBFok"), "ok");
}

TEST(GradeFile, ANameThatIsNoQuotedTextIsAnErrorAtItsLine) {
    // Ann's third grade is missing: without the check, Sofia's name would be
    // read as that grade and her first grade as her name.
    std::string text =
        weightsLines("3") + "2\r\n\"Ann\"\r\n90\r\n80\r\n\"Sofia\"\r\n70\r\n60\r\n50\r\n";
    ClassRecord record;
    try {
        parseClassFile(text, record);
        ADD_FAILURE() << "accepted";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Line 17: the name of student 2 is \"70\", not a text in double quotes.");
    }
    // An unquoted word is no name either, nor an empty line.
    EXPECT_THROW(parseClassFile(weightsLines() + "1\r\nSofia\r\n", record), FileError);
    EXPECT_THROW(parseClassFile(weightsLines() + "1\r\n\r\n", record), FileError);
    parseClassFile(weightsLines() + "1\r\n\"\"\r\n", record);
    EXPECT_EQ(record.studentNames[0], "");
}
