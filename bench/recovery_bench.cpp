// The copy of unsaved work written after a change: a full class in its own
// file format plus its information file. It must never slow typing (< 5 ms).
#include "core/app/recovery.h"
#include "core/classfile/gradefile.h"
#include "fullclass.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace tallyro;

namespace {

void RecoveryCopyOfAFullClass(benchmark::State& state) {
    ClassRecord record;
    bench::fillFullClass(record);
    auto folder = std::filesystem::temp_directory_path() / "tallyro-recovery-bench";
    RecoveryStore store(folder);
    const std::string original = "/home/teacher/classes/ROOM5.grd";
    for (auto _ : state) {
        store.writeCopy(original, "grd", formatClassFile(record), nowMs());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(RecoveryCopyOfAFullClass)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
