#include "core/reports/gradelists.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tallyro {

namespace {

constexpr double kFontSize = 12;
constexpr int kStudentsOnFirstPage = 40;
constexpr int kPlannedLinesPerPage = 50;

void setListFont(PrintSurface& surface) {
    setPrintedFont(surface, kFontSize);
}

void startList(PrintSurface& surface) {
    surface.setScaleMode(5);
    surface.setScaleLeft(-0.75);
    surface.printEmptyLine();
    setListFont(surface);
}

void heading(PrintSurface& surface, const GradeListRequest& request, const std::string& title,
             bool withPage) {
    surface.printOpen({tab(0), title});
    surface.setFontBold(true);
    surface.printOpen({request.className});
    surface.setFontBold(false);
    std::string line = " as of " + request.date;
    if (withPage)
        line += "     (Page " + std::to_string(surface.page()) + ")";
    surface.print({line});
    surface.printEmptyLine();
}

void continuationPage(PrintSurface& surface, const GradeListRequest& request,
                      const std::string& title, bool withPage = true) {
    surface.newPage();
    surface.printEmptyLine();
    setListFont(surface);
    heading(surface, request, title, withPage);
}

const Value& cell(const std::vector<Value>& values, int index) {
    static const Value empty;
    return index >= 0 && index < static_cast<int>(values.size()) ? values[index] : empty;
}

const std::string& name(const ClassRecord& record, int student) {
    static const std::string empty;
    return student >= 0 && student < static_cast<int>(record.studentNames.size())
               ? record.studentNames[student]
               : empty;
}

// A category prints when its weight is a number above 0; an empty weight
// (or one that is not a number) does not.
bool isWeighted(const Value& weight) {
    return weight.isNumeric() && weight.toNumber() > 0;
}

void averagesTitleLine(PrintSurface& surface) {
    surface.setFontBold(true);
    surface.print({"Student Name", tab(25), "GrandAverage"});
    surface.setFontBold(false);
}

void grandAverageList(PrintSurface& surface, const ClassRecord& record,
                      const GradeListRequest& request, const std::vector<int>& order) {
    const std::string title = "Student Averages for ";
    heading(surface, request, title, true);
    averagesTitleLine(surface);
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == kStudentsOnFirstPage) {
            continuationPage(surface, request, title);
            averagesTitleLine(surface);
        }
        int s = order[i];
        surface.print({name(record, s), tab(31), PrintItem::of(cell(record.grandAverages, s))});
    }
}

// The number of grades a student's category prints.
int printedGrades(const ClassRecord& record, int s, int c) {
    bool hasRow = s >= 0 && s < record.grades.students() && c < record.grades.categories();
    if (!hasRow)
        return 0;
    return std::max(0, std::min(record.gradeCount(c), record.grades.gradeNumbers() - 1));
}

// The lines of a student's block as the list counts them: the name line,
// then one per weighted category and one more for every ten grades after its
// first ten, then the closing empty line.
std::vector<int> blockLines(const ClassRecord& record, int s) {
    std::vector<int> lines{1};
    for (int c = 1; c <= kCategoryCount; ++c)
        if (isWeighted(cell(record.categoryWeights, c)))
            lines.push_back(1 + std::max(0, printedGrades(record, s, c) - 1) / 10);
    lines.push_back(1);
    return lines;
}

// The sheets of a list of student blocks. A block that does not fit below
// what a sheet already holds goes whole to the next sheet, which starts with
// the list's heading like every planned one; a block longer than a whole
// sheet is continued on the next one between two categories. So no sheet but
// the last holds less than its heading and a sheet's worth of blocks.
class BlockSheets {
public:
    // The heading of every sheet: an empty line, the heading line and the
    // empty line below it.
    static constexpr int kHeadingLines = 3;

    BlockSheets(PrintSurface& surface, const GradeListRequest& request, std::string title,
                bool withPage)
        : surface_(surface), request_(request), title_(std::move(title)), withPage_(withPage) {}

    void newSheet() {
        continuationPage(surface_, request_, title_, withPage_);
        sheetHasLines_ = false;
        blocksOnSheet_ = 0;
    }

    // The lines a sheet holds below its heading.
    int freshLines() { return surface_.linesPerPage() - kHeadingLines; }

    // Keeps the next lines together on one sheet where a sheet can hold them.
    void keep(int lines) {
        if (sheetHasLines_ && lines > surface_.linesLeftOnPage() && lines <= freshLines())
            newSheet();
    }

    void blockStarted() { ++blocksOnSheet_; }
    void linePrinted() { sheetHasLines_ = true; }
    int blocksOnSheet() const { return blocksOnSheet_; }

private:
    PrintSurface& surface_;
    const GradeListRequest& request_;
    std::string title_;
    bool withPage_;
    bool sheetHasLines_ = false;
    int blocksOnSheet_ = 0;
};

// Prints one student's block and returns the lines it counts.
int studentBlock(PrintSurface& surface, const ClassRecord& record, int s, BlockSheets& sheets) {
    std::vector<int> lines = blockLines(record, s);
    int counted = 0;
    for (int part : lines)
        counted += part;
    // The closing empty line needs no room on the sheet. A block too long for
    // any sheet keeps at least its name with its first category.
    int whole = counted - 1;
    sheets.keep(whole <= sheets.freshLines() ? whole : lines[0] + lines[1]);
    sheets.blockStarted();

    surface.setFontBold(true);
    surface.print({name(record, s), tab(30),
                   " GrandAverage = ", PrintItem::of(cell(record.grandAverages, s))});
    surface.setFontBold(false);
    sheets.linePrinted();
    size_t part = 1;
    for (int c = 1; c <= kCategoryCount; ++c) {
        const Value& weight = cell(record.categoryWeights, c);
        if (!isWeighted(weight))
            continue;
        if (part > 1)
            sheets.keep(lines[part]);
        ++part;
        std::string categoryName =
            c < static_cast<int>(record.categoryNames.size()) ? record.categoryNames[c] : "";
        surface.printOpen({tab(3), categoryName, tab(20), PrintItem::of(weight), "%", tab(27)});
        int count = printedGrades(record, s, c);
        for (int k = 1; k <= count; ++k) {
            // Ten grades to a line.
            if (k % 10 == 1 && k > 1) {
                surface.printEmptyLine();
                surface.printOpen({tab(27)});
            }
            surface.printOpen({"  ", PrintItem::of(record.grades(s, c, k))});
        }
        surface.printEmptyLine();
        sheets.linePrinted();
    }
    surface.printEmptyLine();
    return counted;
}

void allInformationList(PrintSurface& surface, const ClassRecord& record,
                        const GradeListRequest& request) {
    const std::string title = "Student Grades for ";
    heading(surface, request, title, true);
    BlockSheets sheets(surface, request, title, true);
    // The first student's block decides how many students share a sheet
    // planned to hold 50 lines; only the first nine such sheet breaks are
    // planned, later students go on as long as they fit.
    int perPage = 0;
    int plannedBreaks = 0;
    for (int s = 0; s < record.studentCount; ++s) {
        if (perPage > 0 && sheets.blocksOnSheet() >= perPage && plannedBreaks < 9) {
            sheets.newSheet();
            ++plannedBreaks;
        }
        int lines = studentBlock(surface, record, s, sheets);
        if (s == 0)
            perPage =
                std::max(1, static_cast<int>(std::nearbyint(double(kPlannedLinesPerPage) / lines)));
    }
}

void currentStudentList(PrintSurface& surface, const ClassRecord& record,
                        const GradeListRequest& request) {
    const std::string title = "Student Grades for ";
    heading(surface, request, title, false);
    BlockSheets sheets(surface, request, title, false);
    if (request.studentIndex >= 0 && request.studentIndex < record.studentCount)
        studentBlock(surface, record, request.studentIndex, sheets);
}

} // namespace

std::string classNameFromFileName(const std::string& fileName) {
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

std::vector<int> sortedStudentOrder(const ClassRecord& record) {
    std::vector<int> order;
    for (int s = 0; s < record.studentCount; ++s)
        order.push_back(s);
    auto folded = [](const std::string& text) {
        std::string result = text;
        for (char& c : result)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return result;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        std::string left = folded(name(record, a)), right = folded(name(record, b));
        if (left != right)
            return left < right;
        return name(record, a) < name(record, b);
    });
    return order;
}

void composeGradeList(PrintSurface& surface, const ClassRecord& record,
                      const GradeListRequest& request) {
    startList(surface);
    switch (request.mode) {
    case GradeListMode::GrandAverages: {
        std::vector<int> order;
        for (int s = 0; s < record.studentCount; ++s)
            order.push_back(s);
        grandAverageList(surface, record, request, order);
        break;
    }
    case GradeListMode::SortedGrandAverages:
        grandAverageList(surface, record, request, sortedStudentOrder(record));
        break;
    case GradeListMode::AllInformation:
        allInformationList(surface, record, request);
        break;
    case GradeListMode::CurrentStudent:
        currentStudentList(surface, record, request);
        break;
    }
    surface.endDoc();
}

} // namespace tallyro
