#include "core/classfile/gradefile.h"

#include "core/classfile/errortext.h"
#include "core/classfile/fileerror.h"
#include "core/classfile/recordformat.h"
#include "core/classfile/textfile.h"

#include <cmath>

namespace tallyro {

namespace {

std::string at(int line) {
    return "Line " + std::to_string(line) + ": ";
}

std::optional<int> wholeNumberIn(const Value& value, int low, int high) {
    if (value.isEmpty())
        return 0;
    if (!value.isNumeric())
        return std::nullopt;
    double number = value.toNumber();
    if (number != std::floor(number) || number < low || number > high)
        return std::nullopt;
    return static_cast<int>(number);
}

} // namespace

void parseClassFile(std::string_view text, ClassRecord& record) {
    record.clearToCapacity();
    RecordReader reader(text);
    for (int c = 1; c <= kCategoryCount; ++c) {
        std::string what = "the weight and grade count of category " + std::to_string(c);
        record.categoryWeights[c] = reader.readField(std::string_view(what));
        Value count = reader.readField(std::string_view(what));
        if (!wholeNumberIn(count, 0, kMaxGradesPerCategory)) {
            throw FileError(at(reader.fieldLine()) + "the grade count " +
                            quotedValue(count.toText()) + " of category " + std::to_string(c) +
                            " is not a whole number from 0 to 45.");
        }
        record.gradeCounts[c] = count;
    }

    Value countField = reader.readField("the number of students");
    auto students = wholeNumberIn(countField, 0, kStudentSlots);
    if (!students) {
        throw FileError(at(reader.fieldLine()) + "the number of students " +
                        quotedValue(countField.toText()) + " is not a whole number from 0 to 46.");
    }

    for (int s = 0; s < *students; ++s) {
        Value name =
            reader.readField([&] { return "the name of student " + std::to_string(s + 1); });
        // Names are always written in quotes; a bare number or word here
        // means the lines before it are one short or one too many.
        if (!reader.fieldWasQuoted()) {
            throw FileError(at(reader.fieldLine()) + "the name of student " +
                            std::to_string(s + 1) + " is " + quotedValue(name.toText()) +
                            ", not a text in double quotes.");
        }
        record.studentNames[s] = name.toText();
        for (int c = 1; c <= kCategoryCount; ++c) {
            int count = record.gradeCount(c);
            for (int k = 1; k <= count; ++k) {
                record.grades(s, c, k) = reader.readField([&] {
                    return "grade " + std::to_string(k) + " of category " + std::to_string(c) +
                           " of student " + std::to_string(s + 1) + " (" +
                           shownValue(record.studentNames[s]) + ")";
                });
            }
        }
    }
    // Only set once every student is in, so a failed read never leaves a
    // count that promises students the record does not hold.
    record.studentCount = *students;
}

std::string formatClassFile(const ClassRecord& record) {
    RecordWriter writer;
    auto categoryValue = [](const std::vector<Value>& values, int c) {
        return c < static_cast<int>(values.size()) ? values[c] : Value();
    };
    for (int c = 1; c <= kCategoryCount; ++c)
        writer.writeRecord(
            {categoryValue(record.categoryWeights, c), categoryValue(record.gradeCounts, c)});
    int students = record.studentCount;
    if (students < 0 || students > static_cast<int>(record.studentNames.size()) ||
        students > record.grades.students()) {
        throw FileError("The class holds " + std::to_string(students) +
                        " students but has room for fewer; nothing was written.");
    }
    writer.writeRecord({Value(students)});
    for (int s = 0; s < students; ++s) {
        writer.writeText(record.studentNames[s]);
        for (int c = 1; c <= kCategoryCount; ++c) {
            int count = record.gradeCount(c);
            for (int k = 1; k <= count; ++k)
                writer.writeRecord({record.grades(s, c, k)});
        }
    }
    return writer.text();
}

void readClassFile(const std::string& path, ClassRecord& record) {
    try {
        std::string text = readTextFile(path);
        parseClassFile(text, record);
    } catch (...) {
        record.clearToNothing();
        throw;
    }
}

void writeClassFile(const std::string& path, const ClassRecord& record) {
    writeFileAtomically(path, formatClassFile(record));
}

} // namespace tallyro
