#include "core/exchange/namelist.h"

#include "core/classfile/textfile.h"
#include "core/exchange/csv.h"
#include "core/roster/roster.h"

#include <stdexcept>

namespace tallyro {

namespace {

// A name is one line of text without quotes.
std::string cleanName(std::string_view field) {
    std::string name = withoutDoubleQuotes(field);
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    return std::string(trimmed(name));
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::vector<std::string> namesFromList(std::string_view text) {
    std::vector<std::string> names;
    bool first = true;
    for (const CsvRecord& record : parseCsv(text)) {
        std::string name = cleanName(record.fields.front());
        if (name.empty())
            continue;
        bool header = first && (equalsIgnoringAsciiCase(name, "Student") ||
                                equalsIgnoringAsciiCase(name, "Name"));
        first = false;
        if (!header)
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> readNameList(const std::string& path) {
    return namesFromList(readTextFile(path));
}

std::vector<std::string> namesFromPastedText(std::string_view text) {
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        std::string name = cleanName(line.substr(0, line.find('\t')));
        if (!name.empty())
            names.push_back(std::move(name));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    return names;
}

std::string newClassProblem(const std::vector<std::string>& names) {
    if (names.empty())
        return "The file holds no name.";
    if (names.size() > static_cast<size_t>(kMaxRosterStudents))
        return "The file holds " + std::to_string(names.size()) +
               " names; a class holds at most 45 students.";
    return {};
}

ClassRecord newClassFromNames(const std::vector<std::string>& names, bool sorted) {
    if (names.size() > static_cast<size_t>(kMaxRosterStudents))
        throw std::length_error("A class holds at most 45 students.");
    std::vector<std::string> roster;
    if (sorted) {
        for (const std::string& name : names)
            insertSorted(roster, name);
    } else {
        roster = names;
    }
    // The steps of the roster editor: an emptied record, the categories of
    // a new roster, then the finished list.
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = 0;
    startNewRoster(record);
    storeRoster(record, roster);
    return record;
}

} // namespace tallyro
