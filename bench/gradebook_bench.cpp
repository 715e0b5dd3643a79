// What the teacher waits for in the grade book window: the main window
// coming up, and switching to the next student of a full class (a refresh of
// every grid, average and colour).
#include "app/mainwindow.h"
#include "gradebook/categories.h"
#include "gradebook/gradebookwindow.h"
#include "support/scriptedplatform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace tallyro;

namespace {

void fillFullClass(ClassRecord& record) {
    record.clearToCapacity();
    setgradetypes(record);
    record.studentCount = kStudentSlots;
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(std::to_string(100 / kCategoryCount));
        record.gradeCounts[c] = Value(kMaxGradesPerCategory);
    }
    for (int s = 0; s < kStudentSlots; ++s) {
        record.studentNames[s] = "Student Number " + std::to_string(s + 1);
        for (int c = 1; c <= kCategoryCount; ++c)
            for (int k = 1; k <= kMaxGradesPerCategory; ++k)
                record.grades(s, c, k) = Value(std::to_string(50 + (s * 7 + c * 13 + k * 5) % 50));
    }
}

void MainWindowShown(benchmark::State& state) {
    test::ScriptedPlatform doubles;
    doubles.settings.values = {{"school", "Lincoln"}, {"teacher", "Rivera"}, {"grade level", "5"}};
    Platform platform = doubles.platform();
    for (auto _ : state) {
        AppState appState;
        MainWindow window(appState, platform);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(MainWindowShown)->Unit(benchmark::kMillisecond);

void NextStudentOfAFullClass(benchmark::State& state) {
    test::ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    test::RecordingShell shell;
    AppState appState;
    fillFullClass(appState.classRecord);
    GradeBookWindow window(appState, platform, shell);
    window.show();
    window.fillStudentList();
    window.activate();
    for (auto _ : state) {
        window.nextStudent();
        QApplication::processEvents();
    }
}
BENCHMARK(NextStudentOfAFullClass)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
