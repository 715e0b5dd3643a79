#pragma once

#include "core/exchange/spreadsheetwriter.h"

namespace tallyro {

// The Excel (.xlsx) workbook writer. It lives in the module tallyro-xlsx.so
// with libxlsxwriter and the compression and cryptography libraries behind
// it, read on the first workbook written: a run that writes none never loads
// them. A module that cannot be read fails the write with the reason.
class ExcelWriter : public SpreadsheetWriter {
public:
    void write(const std::string& path, const std::vector<ExportSheet>& sheets) override;
};

} // namespace tallyro
