// One tap on a widget button as the host handles it: the intent rebuilt from
// the form the button carries, performed (one atomic store update), the
// widget kind reloaded and the reload notification posted. Run it inside a
// session bus (dbus-run-session) to count the bus's part; without one the
// posts return at once and the figure is the store's alone.
#include "platform/intents/AppIntent.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/models/HabitItem.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A suite of the benchmark's own, and an application for the bus.
void setUp() {
    static const bool done = [] {
        auto dir = std::filesystem::temp_directory_path() / ("plyx-bench-intents-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
        static int argc = 1;
        static char name[] = "bench_intents";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
        plyx::registerInteractiveIntents();
        return true;
    }();
    (void)done;
}

void tap(benchmark::State& state, const plyx::intents::AppIntent& intent, bool onWorker) {
    setUp();
    const std::string form = plyx::intents::serialise(intent);
    const auto& registry = plyx::intents::IntentRegistry::shared();
    for (auto _ : state) {
        auto rebuilt = registry.rebuild(form);
        if (onWorker) plyx::intents::performOnWorker(std::move(rebuilt)).waitForFinished();
        else rebuilt->perform();
    }
}

void BM_TapAddWater(benchmark::State& state) { tap(state, plyx::AddWaterIntent(), false); }
BENCHMARK(BM_TapAddWater)->Unit(benchmark::kMicrosecond);

void BM_TapAddWaterOnWorker(benchmark::State& state) { tap(state, plyx::AddWaterIntent(), true); }
BENCHMARK(BM_TapAddWaterOnWorker)->Unit(benchmark::kMicrosecond);

void BM_TapFocus(benchmark::State& state) { tap(state, plyx::FocusToggleIntent(), false); }
BENCHMARK(BM_TapFocus)->Unit(benchmark::kMicrosecond);

void BM_TapHabit(benchmark::State& state) {
    tap(state, plyx::HabitToggleIntent(plyx::HabitItem::samples()[0].id.string()), false);
}
BENCHMARK(BM_TapHabit)->Unit(benchmark::kMicrosecond);

} // namespace
