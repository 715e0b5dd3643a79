#pragma once

#include "core/exchange/exporttable.h"

#include <string>
#include <vector>

namespace tallyro {

// SpreadsheetWriter: writes sheets as a spreadsheet workbook. The core
// decides what the sheets hold; an implementation (the Excel writer) only
// decides how a workbook file stores them.
class SpreadsheetWriter {
public:
    virtual ~SpreadsheetWriter() = default;

    // Writes the sheets in order, each with its header row bold and frozen,
    // number cells as numbers, text cells as text and empty cells left
    // empty. Replaces the file only once the new one is complete; throws
    // FileError and leaves any previous file as it was on failure.
    virtual void write(const std::string& path, const std::vector<ExportSheet>& sheets) = 0;
};

// The export of a class as a workbook: "Grades" then "Weights".
std::vector<ExportSheet> gradeWorkbook(const ClassRecord& record, AverageMode mode);

} // namespace tallyro
