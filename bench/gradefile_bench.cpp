// Reading a full class from disk and computing every grand average: what the
// teacher waits for when opening the biggest class the program can hold.
#include "core/classfile/gradefile.h"
#include "core/gradebook/averaging.h"
#include "fullclass.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace tallyro;

namespace {

void ReadFullClassAndComputeAverages(benchmark::State& state) {
    auto path = std::filesystem::temp_directory_path() / "tallyro-bench-full.grd";
    writeClassFile(path.string(), bench::fullClass(bench::FullClassGrades::HalvesAndExcused));
    ClassRecord record;
    for (auto _ : state) {
        readClassFile(path.string(), record);
        computeAllGrandAverages(record, 1);
        benchmark::DoNotOptimize(record.grandAverages.data());
    }
    std::filesystem::remove(path);
}
BENCHMARK(ReadFullClassAndComputeAverages)->Unit(benchmark::kMillisecond);

void ComputeAllGrandAverages(benchmark::State& state) {
    ClassRecord record = bench::fullClass(bench::FullClassGrades::HalvesAndExcused);
    for (auto _ : state) {
        computeAllGrandAverages(record, 0);
        benchmark::DoNotOptimize(record.grandAverages.data());
    }
}
BENCHMARK(ComputeAllGrandAverages)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
