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
                      const std::string& title) {
    surface.newPage();
    surface.printEmptyLine();
    setListFont(surface);
    heading(surface, request, title, true);
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

// Prints one student's block and returns the lines it counts.
int studentBlock(PrintSurface& surface, const ClassRecord& record, int s) {
    int lines = 1;
    surface.setFontBold(true);
    surface.print({name(record, s), tab(30),
                   " GrandAverage = ", PrintItem::of(cell(record.grandAverages, s))});
    surface.setFontBold(false);
    for (int c = 1; c <= kCategoryCount; ++c) {
        const Value& weight = cell(record.categoryWeights, c);
        if (!isWeighted(weight))
            continue;
        std::string categoryName =
            c < static_cast<int>(record.categoryNames.size()) ? record.categoryNames[c] : "";
        surface.printOpen({tab(3), categoryName, tab(20), PrintItem::of(weight), "%", tab(27)});
        ++lines;
        int count = std::min(record.gradeCount(c), record.grades.gradeNumbers() - 1);
        bool hasRow = s >= 0 && s < record.grades.students() && c < record.grades.categories();
        for (int k = 1; hasRow && k <= count; ++k) {
            // Ten grades to a line.
            if (k % 10 == 1 && k > 1) {
                surface.printEmptyLine();
                surface.printOpen({tab(27)});
                ++lines;
            }
            surface.printOpen({"  ", PrintItem::of(record.grades(s, c, k))});
        }
        surface.printEmptyLine();
    }
    surface.printEmptyLine();
    ++lines;
    return lines;
}

void allInformationList(PrintSurface& surface, const ClassRecord& record,
                        const GradeListRequest& request) {
    const std::string title = "Student Grades for ";
    heading(surface, request, title, true);
    // The first student's block decides how many students share a page
    // planned to hold 50 lines; only the first nine page breaks are planned.
    int perPage = 0;
    for (int s = 0; s < record.studentCount; ++s) {
        if (perPage > 0 && s % perPage == 0 && s / perPage <= 9)
            continuationPage(surface, request, title);
        int lines = studentBlock(surface, record, s);
        if (s == 0)
            perPage =
                std::max(1, static_cast<int>(std::nearbyint(double(kPlannedLinesPerPage) / lines)));
    }
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
        heading(surface, request, "Student Grades for ", false);
        if (request.studentIndex >= 0 && request.studentIndex < record.studentCount)
            studentBlock(surface, record, request.studentIndex);
        break;
    }
    surface.endDoc();
}

} // namespace tallyro
