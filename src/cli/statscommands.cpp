#include "cli/statscommands.h"

#include "cli/printcommand.h"

#include "core/classfile/gradefile.h"
#include "core/gradebook/categories.h"
#include "core/gradebook/faillimit.h"
#include "core/print/printdate.h"
#include "core/reports/gradelists.h"
#include "core/stats/classstats.h"
#include "core/stats/needed.h"
#include "core/stats/statssheet.h"

#include <QSettings>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <ostream>

namespace tallyro {

namespace {

const char* const kStatsUsage = "usage: tallyro stats FILE.grd [--rounded] [--fail-limit L]\n";
const char* const kNeededUsage =
    "usage: tallyro needed FILE.grd --student N --category C [--target T]\n";
const char* const kPrintUsage =
    "usage: tallyro print stats FILE.grd [--rounded] [--fail-limit L] [--class NAME] "
    "[--date MM/DD/YYYY] (--text | --pdf OUT.pdf)\n";

// A mistake in the command line: one line for the teacher, then the usage.
struct UsageError {
    std::string text;
};

// The failing limit the grade book would colour against: the one kept in
// the settings store (~/.config/Tlyro.conf, [User] "fail limit"), read with
// QtCore alone so that no display is needed.
double storedFailLimit() {
    QSettings settings(QSettings::UserScope, QStringLiteral("Tlyro"));
    settings.beginGroup(QStringLiteral("User"));
    QVariant value = settings.value(QStringLiteral("fail limit"));
    settings.endGroup();
    QString text = value.userType() == QMetaType::QStringList
                       ? value.toStringList().join(QStringLiteral(", "))
                       : value.toString();
    return effectiveFailLimit(text.isEmpty() ? Value(0) : Value(text.toStdString()));
}

double numberOption(const std::string& command, const std::string& option,
                    const std::string& text) {
    auto number = parseNumber(text);
    if (!number)
        throw UsageError{command + ": " + option + " needs a number, not \"" + text + "\""};
    return *number;
}

// The options every statistics command shares.
struct Options {
    std::string file;
    AverageMode mode = AverageMode::Decimal;
    std::optional<double> failLimit;
    std::optional<std::string> student;
    std::optional<std::string> category;
    std::optional<double> target;
    std::optional<std::string> className;
    std::optional<PrintDate> date;
    bool text = false;
    std::optional<std::string> pdf;
};

enum class Command { Stats, Needed, PrintStats };

Options parseOptions(const std::vector<std::string>& args, size_t first, Command command,
                     const std::string& name) {
    Options options;
    auto valueAfter = [&](size_t& i) {
        if (i + 1 >= args.size())
            throw UsageError{name + ": " + args[i] + " needs a value"};
        return args[++i];
    };
    bool statsOptions = command != Command::Needed;
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--rounded" && statsOptions) {
            options.mode = AverageMode::Rounded;
        } else if (arg == "--fail-limit" && statsOptions) {
            // As in the grade book, a limit of 0 stands for the default 70.
            options.failLimit = effectiveFailLimit(Value(numberOption(name, arg, valueAfter(i))));
        } else if (arg == "--student" && command == Command::Needed) {
            options.student = valueAfter(i);
        } else if (arg == "--category" && command == Command::Needed) {
            options.category = valueAfter(i);
        } else if (arg == "--target" && command == Command::Needed) {
            options.target = numberOption(name, arg, valueAfter(i));
        } else if (arg == "--class" && command == Command::PrintStats) {
            options.className = valueAfter(i);
        } else if (arg == "--date" && command == Command::PrintStats) {
            std::string text = valueAfter(i);
            options.date = PrintDate::parse(text);
            if (!options.date)
                throw UsageError{name + ": \"" + text + "\" is not a date (MM/DD/YYYY)"};
        } else if (arg == "--text" && command == Command::PrintStats) {
            options.text = true;
        } else if (arg == "--pdf" && command == Command::PrintStats) {
            options.pdf = valueAfter(i);
        } else if (options.file.empty() && !arg.starts_with("--")) {
            options.file = arg;
        } else {
            throw UsageError{name + ": unexpected argument \"" + arg + "\""};
        }
    }
    if (options.file.empty())
        throw UsageError{name + ": name the class grade file"};
    return options;
}

// Reads the class; false after the message the grade book would give.
bool readClass(const std::string& file, ClassRecord& record, std::ostream& err) {
    try {
        readClassFile(file, record);
        setgradetypes(record);
        return true;
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return false;
    }
}

// Runs a subcommand body; a usage mistake prints its line and the usage.
template <typename Body> int guarded(const char* usage, std::ostream& err, Body body) {
    try {
        return body();
    } catch (const UsageError& error) {
        err << error.text << '\n' << usage;
        return 1;
    } catch (const std::exception& error) {
        // A grade that cannot be averaged, named as the grade book names it.
        err << error.what() << '\n';
        return 1;
    }
}

} // namespace

int runStatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return guarded(kStatsUsage, err, [&] {
        Options options = parseOptions(args, 1, Command::Stats, "tallyro stats");
        ClassRecord record;
        if (!readClass(options.file, record, err))
            return 1;
        double limit = options.failLimit ? *options.failLimit : storedFailLimit();
        out << formatStatisticsTable(computeClassStatistics(record, options.mode, limit));
        return 0;
    });
}

int runNeededCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return guarded(kNeededUsage, err, [&] {
        const std::string name = "tallyro needed";
        Options options = parseOptions(args, 1, Command::Needed, name);
        if (!options.student)
            throw UsageError{name + ": say which student with --student N"};
        if (!options.category)
            throw UsageError{name + ": say which category with --category C"};
        const std::string& number = *options.student;
        if (number.empty() || number.size() > 3 ||
            number.find_first_not_of("0123456789") != std::string::npos)
            throw UsageError{name + ": --student takes the student's number, counted from 1"};
        std::optional<int> category = categoryFromText(*options.category);
        if (!category)
            throw UsageError{name + ": \"" + *options.category +
                             "\" is not a category; give its name (Quiz) or number (1 to 11)"};
        ClassRecord record;
        if (!readClass(options.file, record, err))
            return 1;
        int student = std::stoi(number) - 1;
        if (student < 0 || student >= record.studentCount) {
            err << name << ": the class has " << record.studentCount
                << " students; --student counts them from 1\n";
            return 1;
        }
        double target = options.target ? *options.target : storedFailLimit();
        out << neededLine(neededScore(record, student, *category, target)) << '\n';
        return 0;
    });
}

int runPrintStatsCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
    return guarded(kPrintUsage, err, [&] {
        const std::string name = "tallyro print stats";
        Options options = parseOptions(args, 2, Command::PrintStats, name);
        if (options.text == options.pdf.has_value())
            throw UsageError{name + ": choose one of --text and --pdf FILE"};
        ClassRecord record;
        if (!readClass(options.file, record, err))
            return 1;
        double limit = options.failLimit ? *options.failLimit : storedFailLimit();
        ClassStatistics statistics = computeClassStatistics(record, options.mode, limit);
        StatisticsSheetRequest request;
        request.className = options.className.value_or(
            classNameFromFileName(std::filesystem::path(options.file).filename().string()));
        request.date = options.date.value_or(PrintDate::today()).dashed();
        auto compose = [&](PrintSurface& surface) {
            composeStatisticsSheet(surface, statistics, request);
        };
        return printPages({options.text, options.pdf.value_or(std::string())}, compose, out, err);
    });
}

} // namespace tallyro
