#include "cli/printcommand.h"

#include "cli/statscommands.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/gradebook/averaging.h"
#include "core/gradebook/categories.h"
#include "core/lessons/lessonfile.h"
#include "core/print/printdate.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"
#include "core/reports/lessonpages.h"
#include "core/reports/reportcard.h"
#include "core/reports/reportcardjson.h"
#include "ui/platform/pdfdocument.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

namespace tallyro {

namespace {

const char* const kUsage =
    "usage: tallyro print grades FILE.grd --list averages|sorted|all|student=N [--class NAME] "
    "[--rounded] [--date MM/DD/YYYY] (--text | --pdf OUT.pdf)\n"
    "       tallyro print lessons FILE.pla (--week | --day 1..5) [--date MM/DD/YYYY] "
    "(--text | --pdf OUT.pdf)\n"
    "       tallyro print report-card ENTRY.json [--date MM/DD/YYYY] (--text | --pdf OUT.pdf)\n"
    "       tallyro print stats FILE.grd (--text | --pdf OUT.pdf)\n";

// A mistake in the command line: one line for the teacher.
struct UsageError {
    std::string text;
};

struct Options {
    std::string kind;
    std::string file;
    std::optional<std::string> list;
    std::optional<std::string> className;
    std::optional<std::string> day;
    bool week = false;
    bool rounded = false;
    std::optional<PrintDate> date;
    bool text = false;
    std::optional<std::string> pdf;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    if (args.size() < 2)
        throw UsageError{"tallyro print: say what to print: grades, lessons, report-card or "
                         "stats (tallyro print --help)"};
    options.kind = args[1];
    if (options.kind != "grades" && options.kind != "lessons" && options.kind != "report-card")
        throw UsageError{"tallyro print: unknown kind \"" + options.kind +
                         "\"; use grades, lessons, report-card or stats"};
    auto valueAfter = [&](size_t& i) {
        if (i + 1 >= args.size())
            throw UsageError{"tallyro print: " + args[i] + " needs a value"};
        return args[++i];
    };
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--text") {
            options.text = true;
        } else if (arg == "--pdf") {
            options.pdf = valueAfter(i);
        } else if (arg == "--date") {
            std::string text = valueAfter(i);
            options.date = PrintDate::parse(text);
            if (!options.date)
                throw UsageError{"tallyro print: \"" + text + "\" is not a date (MM/DD/YYYY)"};
        } else if (arg == "--list" && options.kind == "grades") {
            options.list = valueAfter(i);
        } else if (arg == "--class" && options.kind == "grades") {
            options.className = valueAfter(i);
        } else if (arg == "--rounded" && options.kind == "grades") {
            options.rounded = true;
        } else if (arg == "--week" && options.kind == "lessons") {
            options.week = true;
        } else if (arg == "--day" && options.kind == "lessons") {
            options.day = valueAfter(i);
        } else if (options.file.empty() && !arg.starts_with("--")) {
            options.file = arg;
        } else {
            throw UsageError{"tallyro print " + options.kind + ": unexpected argument \"" + arg +
                             "\""};
        }
    }
    if (options.file.empty())
        throw UsageError{"tallyro print " + options.kind + ": name the file to print"};
    if (options.text == options.pdf.has_value())
        throw UsageError{"tallyro print " + options.kind + ": choose one of --text and --pdf FILE"};
    return options;
}

std::string fileNameOnly(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Runs a composition into the chosen output; a failure throws.
void render(const PrintDestination& destination, const PageComposition& compose,
            std::ostream& out) {
    if (destination.text) {
        TextSurface surface;
        compose(surface);
        out << surface.text();
        return;
    }
    // PDF pages are drawn with the fonts of a display-less Qt platform. Its
    // chatter (no runtime folder and the like) would bury the one line a
    // command line owes its user, so only serious messages get through.
    struct QuietQt {
        QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& message) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    fprintf(stderr, "%s\n", qPrintable(message));
            });
        ~QuietQt() { qInstallMessageHandler(previous); }
    } quiet;
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tallyro";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    printToPdf(QString::fromStdString(destination.pdfPath), compose);
}

void render(const Options& options, const PageComposition& compose, std::ostream& out) {
    render(PrintDestination{options.text, options.pdf.value_or("")}, compose, out);
}

int printGrades(const Options& options, std::ostream& out, std::ostream& err) {
    GradeListRequest request;
    std::string list = options.list.value_or("");
    if (list == "averages") {
        request.mode = GradeListMode::GrandAverages;
    } else if (list == "sorted") {
        request.mode = GradeListMode::SortedGrandAverages;
    } else if (list == "all") {
        request.mode = GradeListMode::AllInformation;
    } else if (list.starts_with("student=")) {
        request.mode = GradeListMode::CurrentStudent;
        std::string number = list.substr(8);
        if (number.empty() || number.size() > 3 ||
            number.find_first_not_of("0123456789") != std::string::npos)
            throw UsageError{"tallyro print grades: student=N needs the student's number"};
        request.studentIndex = std::stoi(number) - 1;
    } else {
        throw UsageError{"tallyro print grades: --list must be averages, sorted, all or "
                         "student=N"};
    }
    ClassRecord record;
    try {
        readClassFile(options.file, record);
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    if (request.mode == GradeListMode::CurrentStudent &&
        (request.studentIndex < 0 || request.studentIndex >= record.studentCount)) {
        err << "tallyro print grades: the class has " << record.studentCount
            << " students; student=N counts them from 1\n";
        return 1;
    }
    setgradetypes(record);
    try {
        computeAllGrandAverages(record, options.rounded ? 0 : 1);
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    request.className =
        options.className.value_or(classNameFromFileName(fileNameOnly(options.file)));
    request.date = options.date.value_or(PrintDate::today()).dashed();
    render(
        options, [&](PrintSurface& surface) { composeGradeList(surface, record, request); }, out);
    return 0;
}

int printLessons(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.week == options.day.has_value())
        throw UsageError{"tallyro print lessons: choose one of --week and --day 1..5"};
    int day = 0;
    if (options.day) {
        if (options.day->size() != 1 || (*options.day)[0] < '1' || (*options.day)[0] > '5')
            throw UsageError{"tallyro print lessons: --day takes 1 (Monday) to 5 (Friday)"};
        day = (*options.day)[0] - '1';
    }
    LessonPlan plan;
    try {
        readLessonFile(options.file, plan);
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    // Without a date, the week is this week, headed from its Monday as the
    // print dialog proposes, and a day is today. A given date is printed as
    // given, a Monday or not.
    PrintDate date = PrintDate::today();
    if (options.date)
        date = *options.date;
    else if (options.week)
        date = mondayOfWeek(date);
    LessonPrintRange range =
        options.week ? LessonPrintRange::FullWeek : LessonPrintRange::CurrentDay;
    render(
        options,
        [&](PrintSurface& surface) { composeLessonPages(surface, plan, date, range, day); }, out);
    return 0;
}

int printReportCard(const Options& options, std::ostream& out, std::ostream& err) {
    ReportCardFile file;
    try {
        file = readReportCardJson(options.file);
    } catch (const ReportCardJsonError& error) {
        err << options.file << ": " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "Unable to OPEN this file. " << error.what() << '\n';
        return 1;
    }
    if (options.date)
        file.entry.date = options.date->slashed();
    else if (!file.hasDate)
        file.entry.date = PrintDate::today().slashed();
    auto box = TextBoxLayout::widthInCharacters(file.commentWidth);
    render(
        options, [&](PrintSurface& surface) { composeReportCard(surface, file.entry, box); }, out);
    return 0;
}

} // namespace

int printPages(const PrintDestination& destination,
               const std::function<void(PrintSurface&)>& compose, std::ostream& out,
               std::ostream& err) {
    try {
        render(destination, compose, out);
        return 0;
    } catch (const std::exception& error) {
        err << "Unable to PRINT this file. " << error.what() << '\n';
        return 1;
    }
}

int runPrintCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        out << kUsage;
        return 0;
    }
    if (args.size() >= 2 && args[1] == "stats")
        return runPrintStatsCommand(args, out, err);
    try {
        Options options = parseOptions(args);
        if (options.kind == "grades")
            return printGrades(options, out, err);
        if (options.kind == "lessons")
            return printLessons(options, out, err);
        return printReportCard(options, out, err);
    } catch (const UsageError& error) {
        // One line says what is wrong; "tallyro print --help" shows the forms.
        err << error.text << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "Unable to PRINT this file. " << error.what() << '\n';
        return 1;
    }
}

} // namespace tallyro
