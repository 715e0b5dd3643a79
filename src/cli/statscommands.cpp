#include "cli/statscommands.h"

#include <ostream>

namespace tallyro {

int runStatsCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro stats: not available yet\n";
    return 1;
}

int runNeededCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro needed: not available yet\n";
    return 1;
}

int runPrintStatsCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro print stats: not available yet\n";
    return 1;
}

} // namespace tallyro
