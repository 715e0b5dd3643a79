#include "cli/exchangecommands.h"

#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/exchange/exporttable.h"
#include "core/exchange/gradeimport.h"
#include "core/exchange/namelist.h"
#include "ui/platform/excelwriter.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

namespace tallyro {

namespace {

const char* const kExportUsage =
    "usage: tallyro export FILE.grd (--csv OUT.csv | --xlsx OUT.xlsx) [--rounded]\n";
const char* const kNewClassUsage = "usage: tallyro new-class OUT.grd --names FILE [--unsorted]\n";
const char* const kImportUsage =
    "usage: tallyro import-grades FILE.grd --category C --from SCORES.csv [--column N]\n";

// Reads the options of a subcommand: the one file it works on and options
// with or without a value. Anything else is reported and ends the command.
struct Arguments {
    std::string file;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;

    const std::string* option(const std::string& name) const {
        for (const auto& [key, value] : options)
            if (key == name)
                return &value;
        return nullptr;
    }
    bool flag(const std::string& name) const {
        for (const auto& set : flags)
            if (set == name)
                return true;
        return false;
    }
};

bool parse(const std::vector<std::string>& args, const std::vector<std::string>& valued,
           const std::vector<std::string>& bare, Arguments& parsed, std::ostream& err,
           const char* usage) {
    auto contains = [](const std::vector<std::string>& list, const std::string& name) {
        for (const auto& entry : list)
            if (entry == name)
                return true;
        return false;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (contains(valued, arg)) {
            if (i + 1 >= args.size()) {
                err << "tallyro " << args[0] << ": " << arg << " needs a value\n" << usage;
                return false;
            }
            if (parsed.option(arg)) {
                err << "tallyro " << args[0] << ": " << arg << " given twice\n" << usage;
                return false;
            }
            parsed.options.emplace_back(arg, args[++i]);
        } else if (contains(bare, arg)) {
            parsed.flags.push_back(arg);
        } else if (parsed.file.empty() && !arg.starts_with("--")) {
            parsed.file = arg;
        } else {
            err << "tallyro " << args[0] << ": unexpected argument \"" << arg << "\"\n" << usage;
            return false;
        }
    }
    if (parsed.file.empty()) {
        err << usage;
        return false;
    }
    return true;
}

bool readClass(const std::string& path, ClassRecord& record, std::ostream& err) {
    try {
        readClassFile(path, record);
        return true;
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return false;
    }
}

bool pathExists(const std::string& path) {
    std::error_code error;
    // A dangling link is there too: writing through it is not creating.
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

} // namespace

int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--csv", "--xlsx"}, {"--rounded"}, parsed, err, kExportUsage))
        return 1;
    const std::string* csv = parsed.option("--csv");
    const std::string* xlsx = parsed.option("--xlsx");
    if ((csv == nullptr) == (xlsx == nullptr)) {
        err << "tallyro export: give one of --csv and --xlsx\n" << kExportUsage;
        return 1;
    }
    if (xlsx && *xlsx == "-") {
        err << "tallyro export: a workbook cannot go to standard output; use --csv -\n";
        return 1;
    }
    const std::string& target = csv ? *csv : *xlsx;
    if (target != "-" && isSameFile(target, parsed.file)) {
        err << "tallyro export: " << target
            << " is the class file itself; the export goes to another file.\n";
        return 1;
    }
    AverageMode mode = parsed.flag("--rounded") ? AverageMode::Rounded : AverageMode::Decimal;

    ClassRecord record;
    if (!readClass(parsed.file, record, err))
        return 1;
    std::vector<ExportSheet> sheets;
    try {
        sheets = gradeWorkbook(record, mode);
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    try {
        if (csv && *csv == "-") {
            out << sheetCsv(sheets.front()) << std::flush;
            if (!out) {
                err << "tallyro export: standard output could not be written\n";
                return 1;
            }
        } else if (csv) {
            writeCsvFile(*csv, sheets.front());
        } else {
            ExcelWriter().write(*xlsx, sheets);
        }
    } catch (const std::exception& error) {
        err << "Unable to SAVE this file. " << error.what() << '\n';
        return 1;
    }
    return 0;
}

int runNewClassCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--names"}, {"--unsorted"}, parsed, err, kNewClassUsage))
        return 1;
    const std::string* namesFile = parsed.option("--names");
    if (!namesFile) {
        err << "tallyro new-class: --names FILE is needed\n" << kNewClassUsage;
        return 1;
    }
    // A class already there is the teacher's work; a new one never replaces it.
    if (pathExists(parsed.file)) {
        err << "tallyro new-class: " << parsed.file << " already exists; nothing was written.\n";
        return 1;
    }
    std::vector<std::string> names;
    try {
        names = readNameList(*namesFile);
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    if (std::string problem = newClassProblem(names); !problem.empty()) {
        err << "tallyro new-class: " << *namesFile << ": " << problem << " Nothing was written.\n";
        return 1;
    }
    try {
        writeClassFile(parsed.file, newClassFromNames(names, !parsed.flag("--unsorted")));
    } catch (const std::exception& error) {
        err << "Unable to SAVE this file. " << error.what() << '\n';
        return 1;
    }
    out << parsed.file << ": a new class of " << names.size()
        << (names.size() == 1 ? " student.\n" : " students.\n");
    return 0;
}

int runImportGradesCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--category", "--from", "--column"}, {}, parsed, err, kImportUsage))
        return 1;
    const std::string* categoryText = parsed.option("--category");
    const std::string* from = parsed.option("--from");
    if (!categoryText || !from) {
        err << "tallyro import-grades: --category and --from are needed\n" << kImportUsage;
        return 1;
    }
    std::optional<int> category = categoryFromText(*categoryText);
    if (!category) {
        err << "tallyro import-grades: \"" << *categoryText
            << "\" is not a category; give a category name or a number from 1 to 11.\n";
        return 1;
    }
    int column = 2;
    if (const std::string* columnText = parsed.option("--column")) {
        auto number = parseNumber(*columnText);
        if (!number || *number != static_cast<int>(*number) || *number < 2 || *number > 16384) {
            err << "tallyro import-grades: the score column \"" << *columnText
                << "\" is not a whole number of 2 or more (column 1 holds the names).\n";
            return 1;
        }
        column = static_cast<int>(*number);
    }

    ClassRecord record;
    if (!readClass(parsed.file, record, err))
        return 1;
    std::vector<CsvRecord> scores;
    try {
        scores = parseCsv(readTextFile(*from));
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    std::string sourceName = std::filesystem::path(*from).filename().string();
    GradeColumnPlan plan = planGradeColumn(record, *category, scores, column, sourceName);
    if (!plan.ok()) {
        for (const std::string& error : plan.errors)
            err << error << '\n';
        err << "tallyro import-grades: nothing was written.\n";
        return 1;
    }
    try {
        appendGradeColumn(record, plan.category, plan.grades);
        writeClassFile(parsed.file, record);
    } catch (const std::exception& error) {
        err << "Unable to SAVE this file. " << error.what() << '\n';
        return 1;
    }
    int found = 0;
    for (int index : plan.recordOfStudent)
        found += index >= 0 ? 1 : 0;
    int missing = static_cast<int>(plan.recordOfStudent.size()) - found;
    out << parsed.file << ": " << plan.description << ", " << found << " of "
        << plan.recordOfStudent.size() << " students in the file";
    if (missing > 0)
        out << ", " << missing << " excused (x)";
    out << ".\n";
    return 0;
}

} // namespace tallyro
