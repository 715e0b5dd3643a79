#pragma once

#include "core/exchange/spreadsheetwriter.h"

namespace tallyro {

// XlsxWorkbookWriter: the Excel (.xlsx) workbook behind the spreadsheet
// interface, written with libxlsxwriter.
class XlsxWorkbookWriter : public SpreadsheetWriter {
public:
    void write(const std::string& path, const std::vector<ExportSheet>& sheets) override;
};

} // namespace tallyro
