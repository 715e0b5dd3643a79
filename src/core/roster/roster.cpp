#include "core/roster/roster.h"

#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"

#include <algorithm>
#include <stdexcept>

namespace tallyro {

namespace {

// Folds A-Z and the capital Latin-1 letters (UTF-8 "\xC3\x80" to "\xC3\x9E",
// except the multiplication sign) to their small forms.
std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            unsigned char next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return folded;
}

} // namespace

bool nameLessIgnoringCase(std::string_view a, std::string_view b) {
    return foldCase(a) < foldCase(b);
}

size_t sortedInsertPosition(const std::vector<std::string>& names, std::string_view name) {
    std::string key = foldCase(name);
    auto place = std::upper_bound(
        names.begin(), names.end(), key,
        [](const std::string& k, const std::string& existing) { return k < foldCase(existing); });
    return static_cast<size_t>(place - names.begin());
}

void insertSorted(std::vector<std::string>& names, std::string name) {
    size_t place = sortedInsertPosition(names, name);
    names.insert(names.begin() + static_cast<std::ptrdiff_t>(place), std::move(name));
}

std::string withoutDoubleQuotes(std::string_view name) {
    std::string kept;
    kept.reserve(name.size());
    for (char c : name) {
        if (c != '"')
            kept.push_back(c);
    }
    return kept;
}

std::vector<std::string> extractStudentNames(std::string_view gradeFileText) {
    ClassRecord scratch;
    parseClassFile(gradeFileText, scratch);
    return std::vector<std::string>(scratch.studentNames.begin(),
                                    scratch.studentNames.begin() + scratch.studentCount);
}

std::vector<std::string> readStudentNames(const std::string& path) {
    return extractStudentNames(readTextFile(path));
}

void startNewRoster(ClassRecord& record) {
    if (!record.hasCapacity())
        record.clearToCapacity();
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(0);
        record.gradeCounts[c] = Value(0);
    }
}

void storeRoster(ClassRecord& record, const std::vector<std::string>& names) {
    if (names.size() > static_cast<size_t>(kStudentSlots))
        throw std::length_error("A class holds at most 46 students.");
    if (!record.hasCapacity())
        startNewRoster(record);
    std::fill(record.studentNames.begin(), record.studentNames.end(), std::string());
    std::copy(names.begin(), names.end(), record.studentNames.begin());
    record.studentCount = static_cast<int>(names.size());
}

bool canAddStudent(const ClassRecord& record) {
    return record.hasCapacity() && record.studentCount >= 0 &&
           record.studentCount < kMaxRosterStudents;
}

void addStudentWithExcusedGrades(ClassRecord& record, const std::string& name) {
    if (!canAddStudent(record))
        throw std::length_error("Number of students is already at the maximum of 45!!");
    int s = record.studentCount;
    record.studentNames[s] = withoutDoubleQuotes(name);
    for (int c = 1; c <= kCategoryCount; ++c) {
        int count = record.gradeCount(c);
        for (int k = 1; k <= count; ++k)
            record.grades(s, c, k) = Value("x");
    }
    record.studentCount = s + 1;
}

} // namespace tallyro
