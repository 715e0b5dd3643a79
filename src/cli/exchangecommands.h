#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tallyro {

// tallyro export, new-class and import-grades; args[0] is the subcommand.
int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runNewClassCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runImportGradesCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);

} // namespace tallyro
