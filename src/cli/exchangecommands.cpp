#include "cli/exchangecommands.h"

#include <ostream>

namespace tallyro {

int runExportCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro export: not available yet\n";
    return 1;
}

int runNewClassCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro new-class: not available yet\n";
    return 1;
}

int runImportGradesCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "tallyro import-grades: not available yet\n";
    return 1;
}

} // namespace tallyro
