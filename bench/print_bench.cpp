// Composing the longest printed pages the program makes: the all-information
// list of a full class (46 students, 11 categories of 45 grades) as text and
// as PDF, a report card for every student of a full class as PDF, and the
// whole "tallyro print" process for the full list beside a one-page list and
// for one report card.
#include "core/classfile/classrecord.h"
#include "core/classfile/gradefile.h"
#include "core/gradebook/averaging.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"
#include "core/reports/reportcard.h"
#include "fullclass.h"
#include "ui/platform/pdfdocument.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace tallyro;

namespace {

// A full class with its grand averages, as the printed lists show them.
ClassRecord fullClass() {
    ClassRecord record = bench::fullClass();
    computeAllGrandAverages(record, 1);
    return record;
}

GradeListRequest allInformation() {
    return GradeListRequest{GradeListMode::AllInformation, "ROOM5", "11-14-1997", 0};
}

void AllInformationListText(benchmark::State& state) {
    ClassRecord record = fullClass();
    for (auto _ : state) {
        TextSurface surface;
        composeGradeList(surface, record, allInformation());
        benchmark::DoNotOptimize(surface.text());
    }
}
BENCHMARK(AllInformationListText)->Unit(benchmark::kMillisecond);

void AllInformationListPdf(benchmark::State& state) {
    ClassRecord record = fullClass();
    auto path = std::filesystem::temp_directory_path() / "tallyro-bench-list.pdf";
    for (auto _ : state)
        printToPdf(QString::fromStdString(path.string()), [&](PrintSurface& surface) {
            composeGradeList(surface, record, allInformation());
        });
    std::filesystem::remove(path);
}
BENCHMARK(AllInformationListPdf)->Unit(benchmark::kMillisecond);

// Each card is a document of its own, as the report card window prints it.
void ReportCardsForAFullClassPdf(benchmark::State& state) {
    ClassRecord record = fullClass();
    auto path = std::filesystem::temp_directory_path() / "tallyro-bench-card.pdf";
    for (auto _ : state) {
        for (int s = 0; s < record.studentCount; ++s) {
            ReportCardEntry entry;
            entry.schoolName = "Lincoln Elementary";
            entry.teacherName = "Mrs. Dana Lee";
            entry.gradeLevel = "4th";
            entry.studentName = record.studentNames[s];
            entry.date = "11/14/1997";
            for (auto& subject : entry.subjects)
                subject = {true, "B+"};
            entry.attendance = true;
            entry.areas.fill(true);
            entry.recommendations.fill(true);
            entry.comments = "Works hard and helps others. Reading at grade level; practise "
                             "spelling at home.\nThank you for your support!";
            entry.copies = {true, true, true, true};
            printToPdf(QString::fromStdString(path.string()),
                       [&](PrintSurface& surface) { composeReportCard(surface, entry); });
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(ReportCardsForAFullClassPdf)->Unit(benchmark::kMillisecond);

// Runs the program with the arguments, its output thrown away; the seconds
// it took from start to exit.
double runTallyro(const std::vector<std::string>& args) {
    std::vector<std::string> all{TALLYRO_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    bool ran = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
               waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!ran)
        return -1;
    return std::chrono::duration<double>(end - start).count();
}

// The whole "tallyro print" process, start to exit: the all-information list
// of a full class (its 51 sheets) to PDF, and beside it the one-page
// grand-average list of 40 students, which is mostly starting the process
// and the PDF writer. Reported per iteration as the full-class time, with the
// one-page time and their ratio as counters.
void WholeProcessAllInformationPdf(benchmark::State& state) {
    auto folder = std::filesystem::temp_directory_path();
    auto full = (folder / "tallyro-bench-full.grd").string();
    auto forty = (folder / "tallyro-bench-forty.grd").string();
    auto pdf = (folder / "tallyro-bench-process.pdf").string();
    ClassRecord record = bench::fullClass();
    writeClassFile(full, record);
    record.studentCount = 40;
    writeClassFile(forty, record);
    std::vector<std::string> fullList{"print", "grades", full, "--list", "all", "--pdf", pdf};
    std::vector<std::string> onePage{"print", "grades", forty, "--list", "averages", "--pdf", pdf};
    // Warm the file cache and the font cache once.
    runTallyro(fullList);
    runTallyro(onePage);
    double fullSeconds = 0, onePageSeconds = 0;
    for (auto _ : state) {
        double seconds = runTallyro(fullList);
        double page = runTallyro(onePage);
        if (seconds < 0 || page < 0) {
            state.SkipWithError("tallyro print failed");
            break;
        }
        state.SetIterationTime(seconds);
        fullSeconds += seconds;
        onePageSeconds += page;
    }
    if (state.iterations() > 0 && onePageSeconds > 0) {
        double n = static_cast<double>(state.iterations());
        state.counters["one_page_ms"] = onePageSeconds / n * 1000;
        state.counters["ratio"] = fullSeconds / onePageSeconds;
    }
    for (const auto& path : {full, forty, pdf})
        std::filesystem::remove(path);
}
BENCHMARK(WholeProcessAllInformationPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

// The whole "tallyro print report-card" process, start to exit, for one card
// of four copies filled in as the cards above: what a class's cards cost one
// at a time from the command line.
void WholeProcessReportCardPdf(benchmark::State& state) {
    auto folder = std::filesystem::temp_directory_path();
    auto json = (folder / "tallyro-bench-card.json").string();
    auto pdf = (folder / "tallyro-bench-card-process.pdf").string();
    std::ofstream(json) << R"({
  "schoolName": "Lincoln Elementary", "teacherName": "Mrs. Dana Lee", "gradeLevel": "4th",
  "studentName": "Adams, Ann", "date": "11/14/1997",
  "subjects": {"Science": "B+", "Reading": "B+", "Language": "B+", "Spelling": "B+",
    "Writing": "B+", "History": "B+", "Math": "B+", "Phonics": "B+", "Composition": "B+",
    "Grammar": "B+", "Health": "B+", "Geography": "B+", "Paces": "B+", "Art": "B+",
    "Music": "B+", "Bible": "B+"},
  "attendance": true,
  "areas": ["Makeup Work", "Completing Homework", "Completing Classwork",
    "Preparation for Tests", "Class Participation", "Basic Skills", "Quality of Written Work",
    "Quality of Oral Work", "Overall Organization", "Attentiveness", "Behavior"],
  "recommendations": ["Put Forth More Effort", "Ask More Questions", "Tutoring",
    "Parents Check Assignment Book", "Parents Check Homework", "After School Helps Class",
    "Makeup Missed Assignments/Tests", "Parent Conference Requested", "See Teacher Comments"],
  "comments": "Works hard and helps others. Reading at grade level; practise spelling at home.\nThank you for your support!",
  "copies": ["Parent", "Teacher", "Office", "Student"]
})";
    std::vector<std::string> card{"print", "report-card", json, "--pdf", pdf};
    // Warm the file cache and the font cache once.
    runTallyro(card);
    for (auto _ : state) {
        double seconds = runTallyro(card);
        if (seconds < 0) {
            state.SkipWithError("tallyro print report-card failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
    for (const auto& path : {json, pdf})
        std::filesystem::remove(path);
}
BENCHMARK(WholeProcessReportCardPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // PDF pages need the fonts of a Qt platform, and no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
