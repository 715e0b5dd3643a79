// What the teacher waits for in the grade book window: the main window
// coming up, and switching to the next student of a full class (a refresh of
// every grid, average and colour).
#include "fullclass.h"
#include "support/scriptedplatform.h"
#include "ui/app/mainwindow.h"
#include "ui/gradebook/gradebookwindow.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace tallyro;

namespace {

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
    ClassRecord full;
    bench::fillFullClass(full);
    appState.classDocument.adopt(std::move(full), false);
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
