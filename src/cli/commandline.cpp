#include "cli/commandline.h"

#include "cli/printcommand.h"
#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/gradebook/averagestable.h"

#include <ostream>

namespace tallyro {

namespace {

const char* const kUsage = "usage: tallyro averages FILE [--rounded]\n"
                           "       tallyro print grades|lessons|report-card ...\n";

} // namespace

bool CommandLine::isSubcommand(const std::string& argument) {
    return argument == "averages" || argument == "print";
}

int CommandLine::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "averages")
        return averages(args, out, err);
    if (!args.empty() && args[0] == "print")
        return runPrintCommand(args, out, err);
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
