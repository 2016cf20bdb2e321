// The stock, countdown, focus and everyday widgets as the host drives them:
// one full refresh (the timeline request with its store reads, then the
// render of the entry at the design size, device-pixel ratio 2), and the
// repaint a running focus session or stopwatch gets every second (the same
// entry drawn at a later moment). The stock widgets read a fresh cached chart,
// so no request leaves the machine.
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/models/StockSnapshot.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QGuiApplication>

#include "bench/support/BenchApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

using namespace plyx;

namespace {

// A private data folder with fresh charts and running timers, so the
// benchmark never touches the user's suite or the network.
void setUp() {
    static const bool ready = [] {
        bench::benchApp("bench_everyday");
        ::setenv("PLYX_STOCKS_URL", "http://127.0.0.1:9", 1);
        const Date now = time::now();
        for (const char* symbol : {"AAPL", "MSFT", "NVDA"}) {
            auto s = StockSnapshot::sample();
            s.symbol = symbol;
            s.updated = now + 86400; // fresh for the whole run
            SharedStorage::write(StorageKeys::stockCacheKey(symbol), s);
        }
        ExtrasStore::updateFocus([now](FocusSession f) {
            f.endDate = now + 3600;
            return f;
        });
        ExtrasStore::setStopwatch(StopwatchState{now - 287.3, {61.1, 133.4, 214.5}});
        return true;
    }();
    (void)ready;
}

struct Widget {
    const widgetkit::WidgetConfiguration* widget = nullptr;
    std::optional<intents::Configuration> config;
    widgetkit::TimelineProviderContext ctx;
    ui::Environment env;

    explicit Widget(const char* kind) {
        setUp();
        widget = PlyxWidgetsBundle::bundle().find(kind);
        if (!widget) return;
        config = intents::Configuration::defaults(widget->intent());
        ctx.family = widget->supportedFamilies().front();
        ctx.displaySize = widgetkit::designSize(ctx.family);
        env.displayScale = 2;
    }
    widgetkit::AnyEntry entry() const {
        return widgetkit::request(*widget, widgetkit::RequestMode::timeline, *config, ctx).entries.front();
    }
};

void refresh(benchmark::State& state, const char* kind) {
    Widget w(kind);
    if (!w.widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    for (auto _ : state) {
        const auto entry = w.entry();
        w.env.now = time::now();
        const auto result = widgetkit::renderEntry(*w.widget, entry, w.ctx.displaySize, 2, w.env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}

// The host's once-a-second repaint of a live widget: no provider request.
void repaint(benchmark::State& state, const char* kind) {
    Widget w(kind);
    if (!w.widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    const auto entry = w.entry();
    w.env.now = time::now();
    for (auto _ : state) {
        w.env.now = w.env.now + 1;
        const auto result = widgetkit::renderEntry(*w.widget, entry, w.ctx.displaySize, 2, w.env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(refresh, ticker, "plyx.stock")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, watchlist, "plyx.stock.watchlist")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, countdown, "plyx.countdown")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, focus, "plyx.focus.timer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, stopwatch, "plyx.stopwatch")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, habits, "plyx.habits.week")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, steps, "plyx.steps")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, water, "plyx.water")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, moon, "plyx.weather.moon")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, quote, "plyx.quote")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, year, "plyx.year")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, inbox, "plyx.inbox")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(repaint, focus, "plyx.focus.timer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(repaint, stopwatch, "plyx.stopwatch")->Unit(benchmark::kMillisecond);
