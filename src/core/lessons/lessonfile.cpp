#include "core/lessons/lessonfile.h"

#include "core/classfile/fileerror.h"
#include "core/classfile/recordformat.h"
#include "core/classfile/textfile.h"

namespace tallyro {

namespace {

const char* const kDayNames[kDayCount] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};

// A record spanning several lines holds CR LF (or, from other editors, a lone
// CR or LF) between them; the editor works with "\n" alone.
std::string toMemoryLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string toFileLineBreaks(std::string_view text) {
    std::string memory = toMemoryLineBreaks(text);
    std::string out;
    out.reserve(memory.size());
    for (char c : memory) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

std::string periodWhat(int period) {
    return "the name of period " + std::to_string(period + 1);
}

std::string planWhat(int index) {
    return "the plan for " + std::string(kDayNames[index / kPeriodCount]) + " period " +
           std::to_string(index % kPeriodCount + 1);
}

std::string element(const std::vector<std::string>& values, int index) {
    return index < static_cast<int>(values.size()) ? values[index] : std::string();
}

} // namespace

void parseLessonFile(std::string_view text, LessonPlan& plan) {
    plan.clearToCapacity();
    try {
        RecordReader reader(text);
        for (int p = 0; p < kPeriodCount; ++p)
            plan.periodNames[p] = toMemoryLineBreaks(reader.readQuotedRecord(periodWhat(p)));
        for (int i = 0; i < kLessonCount; ++i)
            plan.lessonTexts[i] = toMemoryLineBreaks(reader.readQuotedRecord(planWhat(i)));
    } catch (...) {
        plan.clearToNothing();
        throw;
    }
}

std::string formatLessonFile(const LessonPlan& plan) {
    RecordWriter writer;
    for (int p = 0; p < kPeriodCount; ++p)
        writer.writeText(toFileLineBreaks(element(plan.periodNames, p)));
    for (int i = 0; i < kLessonCount; ++i)
        writer.writeText(toFileLineBreaks(element(plan.lessonTexts, i)));
    return writer.text();
}

void readLessonFile(const std::string& path, LessonPlan& plan) {
    try {
        std::string text = readTextFile(path);
        parseLessonFile(text, plan);
    } catch (...) {
        plan.clearToNothing();
        throw;
    }
}

void writeLessonFile(const std::string& path, const LessonPlan& plan) {
    writeFileAtomically(path, formatLessonFile(plan));
}

std::vector<std::string> parsePeriodNames(std::string_view text) {
    RecordReader reader(text);
    std::vector<std::string> names;
    for (int p = 0; p < kPeriodCount; ++p)
        names.push_back(toMemoryLineBreaks(reader.readQuotedRecord(periodWhat(p))));
    return names;
}

std::vector<std::string> readPeriodNames(const std::string& path) {
    return parsePeriodNames(readTextFile(path));
}

std::string defaultPeriodName(int period) {
    return "Period " + std::to_string(period + 1);
}

std::vector<std::string> defaultPeriodNames() {
    std::vector<std::string> names;
    for (int p = 0; p < kPeriodCount; ++p)
        names.push_back(defaultPeriodName(p));
    return names;
}

std::string replaceDoubleQuotes(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '"')
            c = '\'';
    }
    return out;
}

} // namespace tallyro
