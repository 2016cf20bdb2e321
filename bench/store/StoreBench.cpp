// Costs of the shared-suite accesses a widget render makes.
#include "platform/store/Defaults.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
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

// The floor: the same read as one prepared SQLite statement on an open
// connection, which is all a read through the suite should cost.
void BM_RawSqliteGetRecord2K(benchmark::State& state) {
    auto s = benchSuite();
    s.setData("bench.record", kRecord);
    sqlite3* db = nullptr;
    sqlite3_open_v2(s.path().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* get = nullptr;
    sqlite3_prepare_v3(db, "SELECT value FROM kv WHERE key = ?1", -1, SQLITE_PREPARE_PERSISTENT, &get, nullptr);
    const std::string key = "bench.record";
    for (auto _ : state) {
        sqlite3_bind_text(get, 1, key.data(), int(key.size()), SQLITE_STATIC);
        std::optional<std::string> value;
        if (sqlite3_step(get) == SQLITE_ROW)
            value.emplace(static_cast<const char*>(sqlite3_column_blob(get, 0)), size_t(sqlite3_column_bytes(get, 0)));
        sqlite3_reset(get);
        sqlite3_clear_bindings(get);
        benchmark::DoNotOptimize(value);
    }
    sqlite3_finalize(get);
    sqlite3_close(db);
}
BENCHMARK(BM_RawSqliteGetRecord2K);

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
