// Costs of the shared-suite accesses a widget render makes.
#include "platform/store/Defaults.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

plyx::store::Defaults benchSuite() {
    static const std::string root = [] {
        auto dir = std::filesystem::temp_directory_path() / ("plyx-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
        return dir.string();
    }();
    return *plyx::store::Defaults::suite("bench.suite");
}

const std::string kRecord(2048, 'x');

void BM_SetRecord2K(benchmark::State& state) {
    auto s = benchSuite();
    for (auto _ : state) s.setData("bench.record", kRecord);
}
BENCHMARK(BM_SetRecord2K);

void BM_GetRecord2K(benchmark::State& state) {
    auto s = benchSuite();
    s.setData("bench.record", kRecord);
    for (auto _ : state) benchmark::DoNotOptimize(s.data("bench.record"));
}
BENCHMARK(BM_GetRecord2K);

void BM_OpenAndGetRecord2K(benchmark::State& state) {
    benchSuite().setData("bench.record", kRecord);
    for (auto _ : state) benchmark::DoNotOptimize(plyx::store::Defaults::suite("bench.suite")->data("bench.record"));
}
BENCHMARK(BM_OpenAndGetRecord2K);

void BM_GetInteger(benchmark::State& state) {
    auto s = benchSuite();
    s.setInteger("bench.int", 42);
    for (auto _ : state) benchmark::DoNotOptimize(s.integer("bench.int"));
}
BENCHMARK(BM_GetInteger);

void BM_AtomicIncrement(benchmark::State& state) {
    auto s = benchSuite();
    for (auto _ : state) s.updateInteger("bench.counter", [](std::int64_t v) { return v + 1; });
}
BENCHMARK(BM_AtomicIncrement);

} // namespace
