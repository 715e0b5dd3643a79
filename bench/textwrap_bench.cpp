// Line wrapping on large input: a 1 MB report card comment and a week of
// plans of 1 MB printed to text, which must take well under a second, and
// reading the largest lesson plan file the program accepts, whose peak
// memory must stay under 64 MB.
#include "core/classfile/textfile.h"
#include "core/lessons/lessonfile.h"
#include "core/print/displaylines.h"
#include "core/print/printdate.h"
#include "core/print/textsurface.h"
#include "core/reports/lessonpages.h"
#include "core/reports/reportcard.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>

using namespace tallyro;

namespace {

std::string prose(size_t bytes) {
    std::string text;
    while (text.size() < bytes)
        text += "Works hard in class, helps others and reads every night. ";
    text.resize(bytes);
    return text;
}

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// First, while the process is still small: its peak is the reading's.
void ReadLargestLessonFile(benchmark::State& state) {
    auto path = std::filesystem::temp_directory_path() / "tallyro-bench-largest.pla";
    LessonPlan plan;
    plan.clearToCapacity();
    for (std::string& text : plan.lessonTexts)
        text = prose(kTextFileLimit / 52);
    writeLessonFile(path.string(), plan);
    LessonPlan back;
    for (auto _ : state) {
        readLessonFile(path.string(), back);
        benchmark::DoNotOptimize(back.lessonTexts.data());
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    std::filesystem::remove(path);
}
BENCHMARK(ReadLargestLessonFile)->Unit(benchmark::kMillisecond);

void WrapMegabyteComment(benchmark::State& state) {
    std::string comment = prose(1 << 20);
    for (auto _ : state) {
        auto lines = displayLines(comment, defaultCommentBox());
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(WrapMegabyteComment)->Unit(benchmark::kMillisecond);

void PrintMegabyteCommentToText(benchmark::State& state) {
    ReportCardEntry entry;
    entry.studentName = "Ann";
    entry.comments = prose(1 << 20);
    entry.copies = {true, true, false, false};
    for (auto _ : state) {
        TextSurface surface;
        composeReportCard(surface, entry, defaultCommentBox());
        benchmark::DoNotOptimize(surface.text());
    }
}
BENCHMARK(PrintMegabyteCommentToText)->Unit(benchmark::kMillisecond);

void PrintMegabyteWeekToText(benchmark::State& state) {
    LessonPlan plan;
    plan.clearToCapacity();
    for (int i = 0; i < kLessonCount; ++i)
        plan.lessonTexts[i] = prose((1 << 20) / kLessonCount);
    for (auto _ : state) {
        TextSurface surface;
        PrintDate date{1997, 9, 15};
        composeLessonPages(surface, plan, date, LessonPrintRange::FullWeek, 0, defaultLessonBox());
        benchmark::DoNotOptimize(surface.text());
    }
}
BENCHMARK(PrintMegabyteWeekToText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
