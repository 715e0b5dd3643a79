#include "xlsx/xlsxworkbook.h"

#include "core/classfile/fileerror.h"
#include "core/classfile/textfile.h"

#include <xlsxwriter.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallyro {

namespace {

[[noreturn]] void fail(lxw_error error) {
    throw FileError(std::string("The workbook could not be made: ") + lxw_strerror(error) + ".");
}

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        fail(error);
}

// The library writes to a file of its own naming; it goes to a private
// temporary file first, so a failure never leaves half a workbook where the
// teacher asked for one.
class TemporaryFile {
public:
    TemporaryFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tallyro-xlsx-XXXXXX").string();
        int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw FileError(std::string("No temporary file for the workbook: ") +
                            std::strerror(errno) + ".");
        ::close(fd);
        path_ = pattern;
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }

    std::string contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in)
            throw FileError("The workbook could not be read back from its temporary file.");
        return bytes.str();
    }

private:
    std::string path_;
};

// A column as wide as its longest text, within reason (in characters).
double columnWidth(const ExportSheet& sheet, size_t column) {
    size_t widest = 8;
    for (const ExportRow& row : sheet.rows) {
        if (column < row.size()) {
            const std::string& text = row[column].text;
            // Characters, not bytes: UTF-8 continuation bytes do not count.
            size_t characters =
                static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
                    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                }));
            widest = std::max(widest, characters);
        }
    }
    return static_cast<double>(std::min<size_t>(widest, 60)) + 1;
}

void writeSheet(lxw_workbook* workbook, const ExportSheet& sheet, lxw_format* bold) {
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    if (!worksheet)
        throw FileError("The workbook could not take the sheet \"" + sheet.name + "\".");
    size_t columns = 0;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const ExportRow& row = sheet.rows[r];
        columns = std::max(columns, row.size());
        if (r >= LXW_ROW_MAX || row.size() > LXW_COL_MAX)
            throw FileError("The sheet \"" + sheet.name + "\" is too large for a workbook.");
        lxw_format* format = r == 0 ? bold : nullptr;
        for (size_t c = 0; c < row.size(); ++c) {
            const ExportCell& cell = row[c];
            auto rowIndex = static_cast<lxw_row_t>(r);
            auto colIndex = static_cast<lxw_col_t>(c);
            if (cell.number) {
                check(worksheet_write_number(worksheet, rowIndex, colIndex, *cell.number, format));
            } else if (!cell.text.empty()) {
                // Always a string, never a formula: a name that starts with
                // "=" stays a name.
                check(worksheet_write_string(worksheet, rowIndex, colIndex, cell.text.c_str(),
                                             format));
            }
        }
    }
    for (size_t c = 0; c < columns; ++c) {
        auto colIndex = static_cast<lxw_col_t>(c);
        check(worksheet_set_column(worksheet, colIndex, colIndex, columnWidth(sheet, c), nullptr));
    }
    // The header stays in view while the teacher scrolls down the class.
    worksheet_freeze_panes(worksheet, 1, 0);
}

} // namespace

void XlsxWorkbookWriter::write(const std::string& path, const std::vector<ExportSheet>& sheets) {
    TemporaryFile temporary;
    lxw_workbook* workbook = workbook_new(temporary.path().c_str());
    if (!workbook)
        throw FileError("The workbook could not be started.");
    try {
        lxw_format* bold = workbook_add_format(workbook);
        format_set_bold(bold);
        for (const ExportSheet& sheet : sheets)
            writeSheet(workbook, sheet, bold);
    } catch (...) {
        workbook_close(workbook);
        throw;
    }
    check(workbook_close(workbook));
    writeFileAtomically(path, temporary.contents());
}

} // namespace tallyro
