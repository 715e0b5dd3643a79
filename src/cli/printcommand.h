#pragma once

#include "core/print/printsurface.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tallyro {

// "tallyro print ...": prints a grade list, a week or day of lesson plans, a
// report card or the class statistics headless, as text on standard output
// or as a PDF file. args[0] is "print". Returns the exit status: 0, or 1
// after one line on err.
int runPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Where a print subcommand sends its pages: --text writes the text rendering
// of the pages to standard output (pdfPath empty), --pdf FILE a PDF file of
// the same pages.
struct PrintDestination {
    bool text = false;
    std::string pdfPath;
};

// Runs the composition into the destination, as every "tallyro print" kind
// does: the text pages on out, or the PDF file (drawn on a display-less Qt
// platform started for the purpose when the process has none). The
// composition ends the document with EndDoc. Returns 0, or 1 after "Unable to
// PRINT this file. " and the reason on err (a PDF that could not be written
// completely is not left behind).
int printPages(const PrintDestination& destination,
               const std::function<void(PrintSurface&)>& compose, std::ostream& out,
               std::ostream& err);

} // namespace tallyro
