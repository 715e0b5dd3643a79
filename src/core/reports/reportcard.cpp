#include "core/reports/reportcard.h"

#include "core/print/utf8text.h"

#include <algorithm>
#include <cmath>

namespace tallyro {

namespace {

constexpr double kFontSize = 10;
constexpr double kRuleLength = 6.5;

void setCardFont(PrintSurface& surface) {
    setPrintedFont(surface, kFontSize);
}

// The title is centred on a line of 100 columns; 14 is the length of
// "--GRADE REPORT". Halves round to the even number.
int titleColumn(const std::string& schoolName) {
    return static_cast<int>(std::nearbyint((100 - (characterCount(schoolName) + 14)) / 2.0));
}

// One copy of the card; returns the lines it counted.
int composeCopy(PrintSurface& surface, ReportCardEntry& entry,
                const std::vector<std::string>& commentLines, const std::string& copyLabel) {
    surface.setScaleMode(5);
    surface.setScaleLeft(-0.75);
    surface.printEmptyLine();
    setCardFont(surface);

    surface.setFontBold(true);
    surface.print({tab(titleColumn(entry.schoolName)), entry.schoolName, "--GRADE REPORT"});
    surface.setFontBold(false);
    surface.printEmptyLine();

    // The student's name in bold, the rest of the line printed over it in
    // regular weight.
    surface.setFontBold(true);
    double studentLine = surface.currentY();
    surface.print({"STUDENT: ", entry.studentName});
    surface.setFontBold(false);
    surface.setCurrentY(studentLine);
    surface.print({tab(characterCount("STUDENT:   " + entry.studentName) + 8),
                   "Teacher: ", entry.teacherName, "    Grade: ", entry.gradeLevel, tab(98),
                   "Date: ", entry.date});

    // The notice boxed between two rules.
    double noticeLine = surface.currentY();
    surface.print({"The following report is submitted by the teacher to help both parents and the "
                   "student understand class performance."});
    surface.setCurrentY(noticeLine);
    surface.rule(kRuleLength);
    surface.printEmptyLine();
    surface.print({"Please feel free to request additional information, or an appointment with the "
                   "teacher who issued this report."});
    surface.rule(kRuleLength);
    surface.printEmptyLine();

    // Left column: subjects two to a row, then recommendations.
    surface.setFontBold(true);
    double columnsTop = surface.currentY();
    surface.print({"ACADEMIC PERFORMANCE"});
    surface.setFontBold(false);
    int leftLines = 8;

    std::vector<std::string> subjects;
    for (int i = 0; i < kSubjectCount; ++i)
        if (entry.subjects[i].checked)
            subjects.push_back(std::string(kSubjectCaptions[i]) + "--" + entry.subjects[i].mark);
    for (size_t j = 0; j < subjects.size(); j += 2) {
        std::string right = j + 1 < subjects.size() ? subjects[j + 1] : std::string();
        surface.print({tab(5), subjects[j], tab(30), right});
        ++leftLines;
    }

    surface.setFontBold(true);
    surface.print({"RECOMMENDATIONS"});
    ++leftLines;
    double recommendationsEnd = surface.currentY();
    surface.setFontBold(false);
    for (int i = 0; i < kRecommendationCount; ++i) {
        if (!entry.recommendations[i])
            continue;
        surface.print({tab(5), kRecommendationCaptions[i]});
        recommendationsEnd = surface.currentY();
        ++leftLines;
    }

    // Right column, from the line of "ACADEMIC PERFORMANCE" down.
    surface.setFontBold(true);
    surface.setCurrentY(columnsTop);
    surface.print({tab(55), "CONDUCT"});
    surface.setFontBold(false);
    int rightLines = 9;
    if (entry.conduct >= 0 && entry.conduct < kConductCount)
        surface.print({tab(62), kConductCaptions[entry.conduct]});

    surface.setFontBold(true);
    surface.print({tab(55), "AREAS FOR IMPROVEMENT"});
    double areasEnd = surface.currentY();
    ++rightLines;
    surface.setFontBold(false);
    if (entry.attendance) {
        // A count left empty prints as a blank to fill in by hand.
        if (entry.absences.empty())
            entry.absences = "___";
        if (entry.tardies.empty())
            entry.tardies = "___";
        surface.print({tab(62), kAttendanceCaption, ":", " Absences-", entry.absences, "  Tardies-",
                       entry.tardies});
        areasEnd = surface.currentY();
        ++rightLines;
    }
    for (int i = 0; i < kAreaCount; ++i) {
        if (!entry.areas[i])
            continue;
        surface.print({tab(62), kAreaCaptions[i]});
        areasEnd = surface.currentY();
        ++rightLines;
    }

    // Go on below the longer column.
    int lines = std::max(leftLines, rightLines);
    surface.setCurrentY(areasEnd > recommendationsEnd ? areasEnd : recommendationsEnd);

    if (entry.comments.empty()) {
        --lines;
    } else {
        surface.setFontBold(true);
        surface.setFontUnderline(true);
        surface.print({"TEACHER COMMENTS:"});
        ++lines;
        surface.setFontUnderline(false);
        surface.setFontBold(false);
        for (const std::string& line : commentLines) {
            surface.print({leftCharacters(line, kDisplayLineLimit)});
            ++lines;
        }
    }
    surface.printEmptyLine();
    ++lines;

    surface.print({std::string(29, '_'), tab(40), std::string(10, '_'), tab(60),
                   std::string(30, '_'), tab(100), std::string(10, '_')});
    surface.print(
        {"Parent Signature", tab(40), "Date", tab(60), "Teacher Signature", tab(100), "Date"});
    surface.printEmptyLine();
    surface.print({"We Appreciate Your Cooperation And Suggestions", tab(98), copyLabel});
    lines += 4;
    return lines;
}

} // namespace

TextBoxLayout defaultCommentBox() {
    return TextBoxLayout::widthInCharacters(100);
}

void composeReportCard(PrintSurface& surface, ReportCardEntry& entry,
                       const TextBoxLayout& commentBox) {
    std::vector<std::string> lines;
    if (!entry.comments.empty())
        lines = displayLines(entry.comments, commentBox);
    composeReportCard(surface, entry, lines);
}

void composeReportCard(PrintSurface& surface, ReportCardEntry& entry,
                       const std::vector<std::string>& commentLines) {
    std::vector<std::string> labels;
    for (int i = 0; i < kCopyCount; ++i)
        if (entry.copies[i])
            labels.push_back(kCopyLabels[i]);

    for (size_t k = 1; k <= labels.size(); ++k) {
        int lines = composeCopy(surface, entry, commentLines, labels[k - 1]);
        // The second copy always ends its page; any other copy only when it
        // is too long to share the page with the next one, which otherwise
        // starts after 34 counted lines, about half-way down.
        if (k == 2 || lines > 32) {
            surface.newPage();
            surface.printEmptyLine();
            setCardFont(surface);
        } else {
            for (int i = 0; i < 34 - lines; ++i)
                surface.printEmptyLine();
        }
    }
    surface.endDoc();
}

} // namespace tallyro
