// Composing the longest printed pages the program makes: the all-information
// list of a full class (46 students, 11 categories of 45 grades) as text and
// as PDF, and a report card for every student of a full class as PDF.
#include "core/classfile/classrecord.h"
#include "core/gradebook/averaging.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"
#include "core/reports/reportcard.h"
#include "fullclass.h"
#include "ui/platform/pdfdocument.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

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
