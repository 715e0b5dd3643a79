#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tallyro {

// "tallyro print ...": prints a grade list, a week or day of lesson plans or
// a report card headless, as text on standard output or as a PDF file.
// args[0] is "print". Returns the exit status: 0, or 1 after one line on err.
int runPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tallyro
