// Reading a full class from disk and computing every grand average: what the
// teacher waits for when opening the biggest class the program can hold.
#include "classfile/gradefile.h"
#include "gradebook/averaging.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace tallyro;

namespace {

ClassRecord fullClass() {
    ClassRecord record;
    record.clearToCapacity();
    record.studentCount = kStudentSlots;
    for (int c = 1; c <= kCategoryCount; ++c) {
        record.categoryWeights[c] = Value(std::to_string(100 / kCategoryCount));
        record.gradeCounts[c] = Value(kMaxGradesPerCategory);
    }
    for (int s = 0; s < kStudentSlots; ++s) {
        record.studentNames[s] = "Student Number " + std::to_string(s + 1);
        for (int c = 1; c <= kCategoryCount; ++c) {
            for (int k = 1; k <= kMaxGradesPerCategory; ++k) {
                int n = (s * 7 + c * 13 + k * 5) % 50;
                record.grades(s, c, k) = n == 0 ? Value("x") : Value(std::to_string(50 + n) + ".5");
            }
        }
    }
    return record;
}

void ReadFullClassAndComputeAverages(benchmark::State& state) {
    auto path = std::filesystem::temp_directory_path() / "tallyro-bench-full.grd";
    writeClassFile(path.string(), fullClass());
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
    ClassRecord record = fullClass();
    for (auto _ : state) {
        computeAllGrandAverages(record, 0);
        benchmark::DoNotOptimize(record.grandAverages.data());
    }
}
BENCHMARK(ComputeAllGrandAverages)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
