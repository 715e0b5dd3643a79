#include "core/classfile/value.h"

#include <gtest/gtest.h>

using namespace tallyro;

TEST(NumericText, AcceptsWhatATeacherTypesAsANumber) {
    for (const char* text :
         {"0", "87", "92.5", ".5", "5.", "-5", "+3", "  70  ", "1e3", "2.5E-2", "\t100"}) {
        EXPECT_TRUE(isNumericText(text)) << text;
    }
}

TEST(NumericText, RefusesEverythingElse) {
    for (const char* text : {"", " ", "x", "d", "X", "1.2.3", "--5", "5-", "1e", "e5", "12a", "1,5",
                             "- 5", ".", "+", "0x10", "inf", "nan", "1e+"}) {
        EXPECT_FALSE(isNumericText(text)) << text;
    }
}

TEST(NumericText, ANumberTooLargeForArithmeticIsNotNumeric) {
    // Anything called numeric must convert, or a weight read from a file
    // would pass every check and then fail inside the averages.
    EXPECT_FALSE(isNumericText("1e400"));
    EXPECT_FALSE(Value("-1E999").isNumeric());
    EXPECT_TRUE(Value("1e300").isNumeric());
    EXPECT_DOUBLE_EQ(Value("1e300").toNumber(), 1e300);
}

TEST(FormatNumber, ShortestTextWithFifteenSignificantDigits) {
    EXPECT_EQ(formatNumber(260.0 / 3), "86.6666666666667");
    EXPECT_EQ(formatNumber(70.1), "70.1");
    EXPECT_EQ(formatNumber(70 + 0.1), "70.1");
    EXPECT_EQ(formatNumber(100), "100");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(-5.25), "-5.25");
    EXPECT_EQ(formatNumber(1e20), "1E+20");
}

TEST(FormatNumber, SteppingAFailingLimitByTenthsComesBackExactly) {
    double limit = 70;
    limit = *parseNumber(formatNumber(limit + 0.1));
    EXPECT_EQ(formatNumber(limit), "70.1");
    limit = *parseNumber(formatNumber(limit - 0.1));
    EXPECT_EQ(formatNumber(limit), "70");
}

TEST(Value, EmptyCountsAsZeroAndBlankText) {
    Value empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.toNumber(), 0);
    EXPECT_EQ(empty.toText(), "");
    EXPECT_FALSE(empty.isNumeric());
}

TEST(Value, TextKeepsWhatWasTypedUntilArithmeticNeedsIt) {
    Value typed("92.50");
    EXPECT_TRUE(typed.isText());
    EXPECT_EQ(typed.toText(), "92.50");
    EXPECT_DOUBLE_EQ(typed.toNumber(), 92.5);
    EXPECT_TRUE(typed.isNumeric());
}

TEST(Value, NonNumericTextIsAnErrorTheCallerSees) {
    EXPECT_THROW(Value("abc").toNumber(), ValueError);
    EXPECT_THROW(Value("x").toNumber(), ValueError);
}

TEST(Value, MarkersCompareOnlyAsExactText) {
    EXPECT_TRUE(Value("x").isTextEqual("x"));
    EXPECT_FALSE(Value("X").isTextEqual("x"));
    EXPECT_FALSE(Value(0).isTextEqual("x"));
    EXPECT_FALSE(Value().isTextEqual(""));
}
