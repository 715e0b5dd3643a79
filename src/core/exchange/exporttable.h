#pragma once

#include "core/classfile/classrecord.h"
#include "core/gradebook/averaging.h"

#include <optional>
#include <string>
#include <vector>

namespace tallyro {

// ExportCell: one cell of an exported sheet. ExportSheet: a named table
// whose first row is its header. The grade book's export builds both sheets
// here, so the CSV file, the workbook, the window and the command line show
// the same values.

// What a cell shows, and its number when it is one: a spreadsheet keeps
// grades and averages as numbers, "x" and "d" as text, and nothing for an
// empty cell. Text is what the grade book shows, so the CSV keeps a grade
// exactly as typed.
struct ExportCell {
    std::string text;
    std::optional<double> number;

    static ExportCell ofText(std::string text) { return {std::move(text), std::nullopt}; }
    // A number when the text is the text of one, else text.
    static ExportCell ofShown(std::string text);
    // A stored value as the grade book shows it.
    static ExportCell ofValue(const Value& value);

    friend bool operator==(const ExportCell&, const ExportCell&) = default;
};

using ExportRow = std::vector<ExportCell>;

struct ExportSheet {
    std::string name;
    // Row 0 is the header: shown bold and kept in view in a workbook.
    std::vector<ExportRow> rows;
};

// The "Grades" sheet: Student, every recorded grade column ("Quiz 3") of the
// categories that have grades, those categories' averages ("Quiz average")
// and "Grand average"; then one row per student in roster order with the
// grades as stored, the averages cut to five characters as the average grid
// shows them and the grand average in the given mode. Throws AveragingError
// for a grade or weight that cannot take part in an average.
ExportSheet gradesSheet(const ClassRecord& record, AverageMode mode);

// The "Weights" sheet: Category, Weight, Grades recorded for all eleven.
ExportSheet weightsSheet(const ClassRecord& record);

// The sheet as CSV text, every record ended by CR LF, UTF-8 without a BOM.
std::string sheetCsv(const ExportSheet& sheet);

// True when both names lead to one existing file: an export must never
// replace the class it comes from.
bool isSameFile(const std::string& a, const std::string& b);

// Writes a sheet's CSV text to a file with the safe save (throws FileError).
void writeCsvFile(const std::string& path, const ExportSheet& sheet);

} // namespace tallyro
