#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tallyro {

// tallyro stats and needed; args[0] is the subcommand.
int runStatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runNeededCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// tallyro print stats FILE.grd (--text | --pdf OUT.pdf): args as for "print",
// args[1] is "stats".
int runPrintStatsCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

} // namespace tallyro
