#pragma once

#include "core/reports/reportcard.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyro {

// A report card file that cannot be used; the text says what and where.
class ReportCardJsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A report card entry read from a JSON file, for printing without the window.
struct ReportCardFile {
    ReportCardEntry entry;
    // Characters per line of the comment box (the window's box by default).
    int commentWidth = 100;
    // True when the file gives the date; otherwise the caller fills it in.
    bool hasDate = false;
};

// Reads the JSON form of a report card entry: every item by the caption the
// window shows for it (see docs/report-card-json.md). Unknown keys and
// captions are refused, so a misspelt subject never silently drops off a card.
ReportCardFile parseReportCardJson(std::string_view text);

} // namespace tallyro
