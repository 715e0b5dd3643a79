#include "core/exchange/exporttable.h"

#include "core/classfile/textfile.h"
#include "core/exchange/csv.h"
#include "core/exchange/spreadsheetwriter.h"
#include "core/gradebook/categories.h"

#include <filesystem>
#include <system_error>

namespace tallyro {

ExportCell ExportCell::ofShown(std::string text) {
    std::optional<double> number = parseNumber(text);
    return {std::move(text), number};
}

ExportCell ExportCell::ofValue(const Value& value) {
    if (value.isNumber())
        return {value.toText(), value.toNumber()};
    return ofShown(value.toText());
}

ExportSheet gradesSheet(const ClassRecord& record, AverageMode mode) {
    std::vector<int> recorded;
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (record.gradeCount(c) > 0)
            recorded.push_back(c);
    }

    ExportSheet sheet{"Grades", {}};
    ExportRow header{ExportCell::ofText("Student")};
    for (int c : recorded) {
        for (int k = 1; k <= record.gradeCount(c); ++k)
            header.push_back(ExportCell::ofText(kCategoryNames[c] + " " + std::to_string(k)));
    }
    for (int c : recorded)
        header.push_back(ExportCell::ofText(kCategoryNames[c] + " average"));
    header.push_back(ExportCell::ofText("Grand average"));
    sheet.rows.push_back(std::move(header));

    // The averaging stores each grand average into the record it works on;
    // the export leaves the teacher's record as it was.
    ClassRecord scratch = record;
    for (int s = 0; s < record.studentCount; ++s) {
        StudentAverages averages = computeAverages(scratch, s, mode);
        ExportRow row{ExportCell::ofText(record.studentNames.at(s))};
        for (int c : recorded) {
            for (int k = 1; k <= record.gradeCount(c); ++k)
                row.push_back(ExportCell::ofValue(record.grades(s, c, k)));
        }
        for (int c : recorded)
            row.push_back(ExportCell::ofShown(averageText(averages.categoryAverages[c])));
        row.push_back(ExportCell::ofValue(averages.grandAverage));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

ExportSheet weightsSheet(const ClassRecord& record) {
    ExportSheet sheet{"Weights",
                      {{ExportCell::ofText("Category"), ExportCell::ofText("Weight"),
                        ExportCell::ofText("Grades recorded")}}};
    for (int c = 1; c <= kCategoryCount; ++c) {
        Value weight = c < static_cast<int>(record.categoryWeights.size())
                           ? record.categoryWeights[c]
                           : Value();
        int count = record.gradeCount(c);
        sheet.rows.push_back({ExportCell::ofText(kCategoryNames[c]), ExportCell::ofValue(weight),
                              ExportCell::ofValue(Value(count))});
    }
    return sheet;
}

std::string sheetCsv(const ExportSheet& sheet) {
    std::string text;
    std::vector<std::string> fields;
    for (const ExportRow& row : sheet.rows) {
        fields.clear();
        for (const ExportCell& cell : row)
            fields.push_back(cell.text);
        text += csvRecord(fields);
    }
    return text;
}

bool isSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

void writeCsvFile(const std::string& path, const ExportSheet& sheet) {
    writeFileAtomically(path, sheetCsv(sheet));
}

std::vector<ExportSheet> gradeWorkbook(const ClassRecord& record, AverageMode mode) {
    return {gradesSheet(record, mode), weightsSheet(record)};
}

} // namespace tallyro
