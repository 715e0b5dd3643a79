// Every error description is one line of at most 300 characters, whatever
// the file it comes from holds.
#include "core/classfile/errortext.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/gradebook/averaging.h"
#include "core/lessons/lessonfile.h"
#include "core/reports/reportcardjson.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <functional>

using namespace tallyro;
using tallyro::testing::weightsLines;
using ::testing::HasSubstr;

namespace {

size_t characters(std::string_view text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// What the action fails with, checked to be one short line of valid UTF-8.
std::string description(const std::function<void()>& action) {
    std::string what = "(no error)";
    try {
        action();
    } catch (const std::exception& error) {
        what = error.what();
    }
    EXPECT_LE(characters(what), kDescriptionLimit) << what.substr(0, 400);
    EXPECT_TRUE(isValidUtf8(what));
    EXPECT_TRUE(std::none_of(what.begin(), what.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    return what;
}

ClassRecord parsed(const std::string& text) {
    ClassRecord record;
    parseClassFile(text, record);
    return record;
}

} // namespace

TEST(ErrorText, ValuesFromFilesAreCutAndControlCharactersShown) {
    const std::string huge(10 * 1024 * 1024, '9');
    EXPECT_THAT(description([&] { parsed(weightsLines("\"" + huge + "\"")); }),
                HasSubstr("count \"" + std::string(40, '9') + "...\" of category 1"));
    // A NUL and other controls neither cut the description nor break its line.
    EXPECT_THAT(description([] { parsed(weightsLines() + std::string("\"a\0b\x01\n\x7F\"", 8)); }),
                HasSubstr("\"a\\x00b\\x01\\x0A\\x7F\""));
    EXPECT_THAT(description([] {
                    parsed(weightsLines("2") + "1\r\n\"" + std::string(5000, 'N') + "\"\r\n9\r\n");
                }),
                HasSubstr("of student 1 (" + std::string(40, 'N') + "...)"));
    description([&] {
        LessonPlan plan;
        parseLessonFile("\"a\"\r\n" + huge + "," + huge, plan);
    });
    description([] { parseReportCardJson("{\"" + std::string(500000, 'k') + "\": 1}"); });
    description([] { readTextFile("/no/such/" + std::string(3000, 'f') + ".grd"); });

    ClassRecord record = parsed(weightsLines("1") + "1\r\n\"" + std::string(1000, 'S') +
                                "\"\r\n\"" + huge + "A\"\r\n");
    record.categoryWeights[1] = Value(100);
    description([&] { computeAllGrandAverages(record, 1); });
}

TEST(ErrorText, CutsFallOnWholeCharactersAndEscapes) {
    EXPECT_EQ(shownValue(std::string(40, 'x')), std::string(40, 'x'));
    EXPECT_EQ(shownValue(std::string(41, 'x')), std::string(40, 'x') + "...");
    EXPECT_EQ(shownValue("caf\xE9"), "caf\\xE9");
    EXPECT_EQ(shownPath("/home/" + std::string(50, 'd') + "/ROOM5.grd"),
              "..." + std::string(30, 'd') + "/ROOM5.grd");
    std::string accents;
    for (int i = 0; i < 400; ++i)
        accents += "\xC3\xA9";
    EXPECT_EQ(characters(shownValue(accents)), 43u);
    std::string line = oneLineDescription(accents);
    EXPECT_EQ(characters(line), kDescriptionLimit);
    EXPECT_TRUE(isValidUtf8(line));
    EXPECT_THAT(oneLineDescription(std::string(400, '\x01')), ::testing::EndsWith("\\x01..."));
    EXPECT_EQ(oneLineDescription(std::string(300, 'a')), std::string(300, 'a'));
    EXPECT_EQ(oneLineDescription("one\u2028two"), "one\\u2028two");
}
