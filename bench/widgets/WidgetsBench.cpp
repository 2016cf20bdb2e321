// One full refresh of each system widget as the host does it: the timeline
// request (store reads and writes, the /proc and /sys readings, statvfs) and
// the render of its entry at the design size, device-pixel ratio 2. Each runs
// back to back, and paced as a desktop drives it: one refresh every 50 ms with
// the processor's caches made cold in between, which is what a widget left
// running all day costs.
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QGuiApplication>

#include "bench/support/BenchApp.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace plyx;

namespace {

// A private data folder, so the benchmark never touches the user's suite.
void setUp() { bench::benchApp("bench_widgets"); }

// What one widget needs to be refreshed again and again.
struct Refresher {
    const widgetkit::WidgetConfiguration* widget = nullptr;
    std::optional<intents::Configuration> config;
    widgetkit::TimelineProviderContext ctx;
    ui::Environment env;
    QImage last; // handed back to the next render, as a host's window keeps its backing store

    explicit Refresher(const char* kind) {
        setUp();
        widget = PlyxWidgetsBundle::bundle().find(kind);
        if (!widget) return;
        config = intents::Configuration::defaults(widget->intent());
        ctx.family = widget->supportedFamilies().front();
        ctx.displaySize = widgetkit::designSize(ctx.family);
        env.displayScale = 2;
    }

    void once() {
        const auto answer = widgetkit::request(*widget, widgetkit::RequestMode::timeline, *config, ctx);
        env.now = time::now();
        auto result = widgetkit::renderEntry(*widget, answer.entries.front(), ctx.displaySize, 2, env, std::move(last));
        benchmark::DoNotOptimize(result.image.constBits());
        last = std::move(result.image);
    }
};

void refresh(benchmark::State& state, const char* kind) {
    Refresher r(kind);
    if (!r.widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    for (auto _ : state) r.once();
}

// Larger than the last-level cache of the machines this runs on.
constexpr std::size_t kEvictBytes = 64 << 20;
constexpr auto kPace = std::chrono::milliseconds(50);

void pacedRefresh(benchmark::State& state, const char* kind) {
    Refresher r(kind);
    if (!r.widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    static std::vector<unsigned char> evict(kEvictBytes);
    // The first refresh opens the store and loads the fonts, once in a
    // host's life: not what a refresh costs while it runs.
    r.once();
    auto next = std::chrono::steady_clock::now();
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < evict.size(); i += 64) evict[i] = static_cast<unsigned char>(evict[i] + 1);
        benchmark::ClobberMemory();
        next += kPace;
        std::this_thread::sleep_until(next);
        state.ResumeTiming();
        r.once();
    }
}

} // namespace

BENCHMARK_CAPTURE(refresh, system_monitor, "plyx.system.monitor")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, network, "plyx.system.network")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, storage, "plyx.system.storage")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, clock_dual, "plyx.clock.dual")->Unit(benchmark::kMillisecond);
// 200 paced refreshes: also the run whose peak memory is compared.
BENCHMARK_CAPTURE(pacedRefresh, system_monitor, "plyx.system.monitor")->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK_CAPTURE(pacedRefresh, network, "plyx.system.network")->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK_CAPTURE(pacedRefresh, clock_dual, "plyx.clock.dual")->Unit(benchmark::kMillisecond)->Iterations(60);
