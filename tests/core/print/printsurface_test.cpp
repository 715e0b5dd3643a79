#include "core/print/displaylines.h"
#include "core/print/printdate.h"
#include "core/print/recordingsurface.h"
#include "core/print/sheet.h"
#include "core/print/textsurface.h"

#include <gtest/gtest.h>

using namespace tallyro;

TEST(PrintItems, NumbersGetTheOldPrintBlanksAndTextsPrintUnchanged) {
    EXPECT_EQ(numberItemText(87), " 87 ");
    EXPECT_EQ(numberItemText(-3.5), "-3.5 ");
    EXPECT_EQ(PrintItem::of(Value(20)).text(), " 20 ");
    EXPECT_EQ(PrintItem::of(Value("86.66")).text(), "86.66");
    EXPECT_EQ(PrintItem::of(Value()).text(), "");
}

TEST(TextSurface, TabsPadToTheirColumnAndWrapWhenAlreadyPast) {
    TextSurface surface;
    surface.print({tab(5), "abc", tab(10), "x"});
    surface.print({tab(0), "first column"});
    surface.print({"0123456789", tab(4), "next row"});
    surface.print({"abc", tab(4), "exactly there"});
    EXPECT_EQ(surface.text(), "    abc  x\n"
                              "first column\n"
                              "0123456789\n"
                              "   next row\n"
                              "abcexactly there\n");
}

TEST(TextSurface, OpenLinesContinueAndEmptyLinesOnlyAdvance) {
    TextSurface surface;
    surface.printOpen({"Student Averages for "});
    surface.printOpen({"Room 5"});
    surface.print({" as of ", 3});
    surface.printEmptyLine();
    surface.printEmptyLine();
    surface.print({"after two empty lines  "});
    surface.printEmptyLine();
    EXPECT_EQ(surface.text(), "Student Averages for Room 5 as of  3\n\n\nafter two empty lines\n");
}

TEST(TextSurface, PrintingOverARowReplacesOnlyThePrintedCharacters) {
    TextSurface surface;
    double top = surface.currentY();
    surface.print({"STUDENT: Ann"});
    surface.setCurrentY(top);
    surface.print({tab(20), "Teacher: Lee"});
    surface.print({"left"});
    surface.setCurrentY(top);
    surface.print({"ST"});
    surface.rule(6.5);
    surface.printEmptyLine();
    surface.setFontBold(true);
    surface.setFontSize(30);
    surface.print({"fonts take one row"});
    EXPECT_EQ(surface.text(), "STUDENT: Ann       Teacher: Lee\nleft\nfonts take one row\n");
}

TEST(TextSurface, PagesAreSeparatedByAFormFeedLineAndAnEmptyLastPageIsDropped) {
    TextSurface surface;
    surface.print({"one"});
    surface.newPage();
    surface.printEmptyLine();
    surface.print({"two"});
    EXPECT_EQ(surface.page(), 2);
    surface.newPage();
    surface.printEmptyLine();
    surface.endDoc();
    EXPECT_EQ(surface.text(), "one\n\f\n\ntwo\n");
    EXPECT_EQ(surface.page(), 3);
    EXPECT_THROW(surface.print({"after the end"}), PrintError);
}

TEST(TextSurface, AccentedLettersTakeOneColumnEach) {
    TextSurface surface;
    surface.print({"Zoë Müller", tab(15), "x"});
    EXPECT_EQ(surface.text(), "Zoë Müller    x\n");
}

TEST(RecordingSurface, RecordsOperationsAndWherePiecesLand) {
    RecordingSurface surface;
    surface.setScaleLeft(-0.75);
    surface.setFontBold(true);
    surface.printOpen({tab(3), "Quiz", 20});
    surface.print({"%"});
    surface.newPage();
    surface.print({"next"});
    surface.endDoc();
    EXPECT_EQ(
        surface.operations,
        (std::vector<std::string>{"ScaleLeft -0.75", "FontBold on", "Print Tab(3); \"Quiz\"; 20;",
                                  "Print \"%\"", "NewPage", "Print \"next\"", "EndDoc"}));
    ASSERT_EQ(surface.placed.size(), 4u);
    EXPECT_EQ(surface.placed[0].x, 2);
    EXPECT_TRUE(surface.placed[0].font.bold);
    EXPECT_EQ(surface.placed[1].text, " 20 ");
    EXPECT_EQ(surface.placed[2].x, 10);
    EXPECT_EQ(surface.placed[3].page, 2);
    EXPECT_EQ(surface.placed[3].y, 0);
}

TEST(DisplayLines, WrapAtBlanksKeepExplicitBreaksAndCutAt120) {
    auto box = TextBoxLayout::widthInCharacters(10);
    EXPECT_EQ(displayLines("", box), std::vector<std::string>{""});
    EXPECT_EQ(displayLines("short", box), std::vector<std::string>{"short"});
    EXPECT_EQ(displayLines("one two three four", box),
              (std::vector<std::string>{"one two ", "three four"}));
    EXPECT_EQ(displayLines("one two three fours", box),
              (std::vector<std::string>{"one two ", "three ", "fours"}));
    EXPECT_EQ(displayLines("a\r\nb\n\nc", box), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(displayLines("abcdefghijklmno", box),
              (std::vector<std::string>{"abcdefghij", "klmno"}));
    EXPECT_EQ(displayLines("exactly10c next", box),
              (std::vector<std::string>{"exactly10c ", "next"}));

    auto wide = TextBoxLayout::widthInCharacters(1000);
    auto lines = displayLines(std::string(150, 'w') + "\nend", wide);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(120, 'w'));
}

TEST(DisplayLines, FollowTheMeasureOfTheBoxFont) {
    // A font in which "m" is three times as wide as other letters.
    TextBoxLayout box{6, [](std::string_view text) {
                          double width = 0;
                          for (char c : text)
                              width += c == 'm' ? 3 : 1;
                          return width;
                      }};
    EXPECT_EQ(displayLines("mm a mmm", box), (std::vector<std::string>{"mm ", "a ", "mm", "m"}));
}

TEST(PrintDate, ParsesFormatsAndMovesByDays) {
    auto date = PrintDate::parse("9/15/1997");
    ASSERT_TRUE(date);
    EXPECT_EQ(date->slashed(), "09/15/1997");
    EXPECT_EQ(date->dashed(), "09-15-1997");
    EXPECT_EQ(date->longForm(), "Monday 09/15/1997");
    EXPECT_EQ(date->plusDays(4).longForm(), "Friday 09/19/1997");
    EXPECT_EQ((PrintDate{2024, 2, 28}.plusDays(1).slashed()), "02/29/2024");
    EXPECT_FALSE(PrintDate::parse("13/45/1997"));
    EXPECT_FALSE(PrintDate::parse("02/30/2023"));
    EXPECT_FALSE(PrintDate::parse("1997-09-15"));
    EXPECT_FALSE(PrintDate::parse("today"));
    EXPECT_TRUE(PrintDate::parse("12-31-1999"));
}

TEST(Sheet, PlannedPagesFitTheSheetThePlansWereMadeFor) {
    // 12-point lines are about 0.185 inch: a list's planned 50 lines and its
    // heading fit, and so do two report cards of 34 lines at 10 points.
    EXPECT_NEAR(timesLineHeight(12), 0.1845, 0.0005);
    EXPECT_EQ(linesPerSheet(12), 57);
    EXPECT_EQ(linesPerSheet(11), 63);
    EXPECT_EQ(linesPerSheet(10), 69);
    EXPECT_EQ(linesPerSheet(12, 0.1), 1);
}

TEST(PrintSurface, LinesLeftOnThePageCountDownAndAFullPageContinuesOnTheNext) {
    RecordingSurface unlimited;
    EXPECT_EQ(unlimited.linesLeftOnPage(), PrintSurface::kUnlimitedLines);

    RecordingSurface surface(3);
    EXPECT_EQ(surface.linesPerPage(), 3);
    surface.print({"one"});
    surface.printOpen({"two"});
    EXPECT_EQ(surface.linesLeftOnPage(), 2); // an open line still takes its row
    surface.print({" and more"});
    surface.print({"three"});
    EXPECT_EQ(surface.linesLeftOnPage(), 0);
    surface.printEmptyLine(); // moving below the bottom starts nothing
    EXPECT_EQ(surface.newPages, 0);
    EXPECT_EQ(surface.linesLeftOnPage(), -1);
    surface.print({"four"});
    EXPECT_EQ(surface.page(), 2);
    EXPECT_EQ(surface.find("four")->y, 0);
    EXPECT_EQ(surface.linesLeftOnPage(), 2);
}

TEST(PrintDate, TheMondayOfAWeekRunningMondayToSunday) {
    EXPECT_EQ(mondayOfWeek({1997, 9, 15}), (PrintDate{1997, 9, 15}));
    EXPECT_EQ(mondayOfWeek({1997, 9, 17}), (PrintDate{1997, 9, 15}));
    EXPECT_EQ(mondayOfWeek({1997, 9, 21}), (PrintDate{1997, 9, 15})); // a Sunday
    EXPECT_EQ(mondayOfWeek({1997, 9, 22}), (PrintDate{1997, 9, 22}));
    EXPECT_EQ(mondayOfWeek({2025, 1, 1}), (PrintDate{2024, 12, 30}));
    EXPECT_EQ(mondayOfWeek({2024, 3, 2}), (PrintDate{2024, 2, 26})); // back over a leap day
}
