#pragma once

#include "core/classfile/errortext.h"
#include "core/reports/reportcard.h"

#include <cstddef>

#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyro {

// A report card file that cannot be used; the text says what and where, on
// one short line.
class ReportCardJsonError : public std::runtime_error {
public:
    explicit ReportCardJsonError(const std::string& what)
        : std::runtime_error(oneLineDescription(what)) {}
};

// The largest report card file that is read: one card with a long comment is
// a few kilobytes.
inline constexpr std::size_t kReportCardJsonLimit = 1024 * 1024;

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
// The text must be UTF-8 of at most 1 MiB; every text read from it is valid
// UTF-8 (a \u escape of half a surrogate pair is refused).
ReportCardFile parseReportCardJson(std::string_view text);

// Reads a report card file from disk: FileError when it cannot be read (not a
// regular file, larger than 1 MiB, ...), ReportCardJsonError for its content.
ReportCardFile readReportCardJson(const std::string& path);

} // namespace tallyro
