#include "cli/commandline.h"

#include "cli/exchangecommands.h"
#include "cli/printcommand.h"
#include "cli/statscommands.h"
#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/gradebook/averagestable.h"

#include <ostream>

namespace tallyro {

namespace {

const char* const kUsage =
    "usage: tallyro averages FILE [--rounded]\n"
    "       tallyro print grades|lessons|report-card|stats ...\n"
    "       tallyro export FILE.grd (--csv OUT.csv | --xlsx OUT.xlsx) [--rounded]\n"
    "       tallyro new-class OUT.grd --names FILE [--unsorted]\n"
    "       tallyro import-grades FILE.grd --category C --from SCORES.csv [--column N]\n"
    "       tallyro stats FILE.grd [--rounded] [--fail-limit L]\n"
    "       tallyro needed FILE.grd --student N --category C [--target T]\n";

} // namespace

namespace {

using Subcommand = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct SubcommandEntry {
    const char* name;
    Subcommand run;
};

const SubcommandEntry kSubcommands[] = {
    {"averages", &CommandLine::averages},
    {"print", &runPrintCommand},
    {"export", &runExportCommand},
    {"new-class", &runNewClassCommand},
    {"import-grades", &runImportGradesCommand},
    {"stats", &runStatsCommand},
    {"needed", &runNeededCommand},
};

} // namespace

bool CommandLine::isSubcommand(const std::string& argument) {
    for (const auto& entry : kSubcommands)
        if (argument == entry.name)
            return true;
    return false;
}

int CommandLine::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const auto& entry : kSubcommands)
        if (!args.empty() && args[0] == entry.name)
            return entry.run(args, out, err);
    err << kUsage;
    return 1;
}

int CommandLine::averages(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    std::string file;
    AverageMode mode = AverageMode::Decimal;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--rounded") {
            mode = AverageMode::Rounded;
        } else if (file.empty() && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            err << "tallyro averages: unexpected argument \"" << args[i] << "\"\n" << kUsage;
            return 1;
        }
    }
    if (file.empty()) {
        err << kUsage;
        return 1;
    }
    ClassRecord record;
    try {
        readClassFile(file, record);
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    try {
        out << formatAveragesTable(record, mode);
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace tallyro
