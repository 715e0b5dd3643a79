#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// Comma-separated text as spreadsheets and school systems exchange it
// (RFC 4180): fields separated by commas, a field holding a comma, a double
// quote or a line break enclosed in double quotes with inner quotes doubled.

// One field as written: quoted only when it has to be.
std::string csvField(std::string_view text);

// One record: the fields joined by commas, ended by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

// A record read back, with the line of the file it starts on (1-based).
struct CsvRecord {
    int line = 1;
    std::vector<std::string> fields;
};

// Splits text into records. Records may end in CR LF, LF or CR (files pass
// through many programs); a quoted field may span lines. A blank line is a
// record of one empty field. Text after a closing quote is kept, as
// spreadsheets do. A quote left open to the end of the text would swallow
// every record after it, so it throws FileError naming its line.
std::vector<CsvRecord> parseCsv(std::string_view text);

// The text without blanks, tabs and line breaks at either end.
std::string_view trimmed(std::string_view text);

} // namespace tallyro
