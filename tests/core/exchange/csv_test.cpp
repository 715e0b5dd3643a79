#include "core/classfile/fileerror.h"
#include "core/exchange/csv.h"

#include <gtest/gtest.h>

using namespace tallyro;

namespace {

std::vector<std::vector<std::string>> fieldsOf(const std::vector<CsvRecord>& records) {
    std::vector<std::vector<std::string>> fields;
    for (const CsvRecord& record : records)
        fields.push_back(record.fields);
    return fields;
}

} // namespace

TEST(CsvWriting, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvField("Adams Ann"), "Adams Ann");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("Lee, Ann"), "\"Lee, Ann\"");
    EXPECT_EQ(csvField("Ann \"Red\" Lee"), "\"Ann \"\"Red\"\" Lee\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField("cr\ronly"), "\"cr\ronly\"");
    EXPECT_EQ(csvRecord({"a", "", "b,c"}), "a,,\"b,c\"\r\n");
    EXPECT_EQ(csvRecord({""}), "\r\n");
}

TEST(CsvReading, SplitsFieldsAndRecordsWhateverTheLineEnds) {
    EXPECT_EQ(fieldsOf(parseCsv("a,b\r\nc,d\ne\rf,")),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}, {"e"}, {"f", ""}}));
    EXPECT_TRUE(parseCsv("").empty());
    // A last record without a line end is still a record; a final line end
    // adds none; a blank line is a record of one empty field.
    EXPECT_EQ(fieldsOf(parseCsv("a\r\n\r\nb")),
              (std::vector<std::vector<std::string>>{{"a"}, {""}, {"b"}}));
}

TEST(CsvReading, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    auto records = parseCsv("\"Lee, Ann\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x\r\nlast,1\r\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"Lee, Ann", "say \"hi\""}));
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"two\r\nlines", "x"}));
    // Line numbers count the lines inside quoted fields too.
    EXPECT_EQ(records[0].line, 1);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 4);
    // An empty quoted field and text after a closing quote, as spreadsheets read them.
    EXPECT_EQ(parseCsv("\"\",\"a\"b")[0].fields, (std::vector<std::string>{"", "ab"}));
}

TEST(CsvReading, WhatIsWrittenReadsBack) {
    std::vector<std::string> fields{
        "plain", "", "comma, inside", "\"quoted\"", "line\r\nbreak", "\xC3\x89mile", " blanks "};
    auto records = parseCsv(csvRecord(fields) + csvRecord({"next"}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, fields);
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"next"}));
}

TEST(CsvReading, AQuoteLeftOpenIsAnErrorNamingItsLine) {
    // Read leniently, it would swallow every later record without a word.
    try {
        parseCsv("Name,Score\r\nAnn,90\r\n\"Lee, Ann,85\r\nBob,70\r\n");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(), "Line 3: a quoted field is never closed.");
    }
}
