// The gallery's work: every widget of the bundle drawn once from its preview
// sample at its family's size, device-pixel ratio 2.
#include "bench/support/BenchApp.h"
#include "platform/widgetkit/WidgetHost.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <benchmark/benchmark.h>

using namespace plyx;

namespace {

void wholeBundleFromSamples(benchmark::State& state) {
    bench::benchApp("bench_gallery");
    const auto& all = PlyxWidgetsBundle::declarations();
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) {
        for (const auto& d : all) {
            widgetkit::TimelineProviderContext ctx;
            ctx.family = d.row.family;
            ctx.displaySize = d.designSize();
            const auto answer = widgetkit::request(d.configuration, widgetkit::RequestMode::preview,
                                                   intents::Configuration::defaults(d.configuration.intent()), ctx);
            env.now = answer.entries.front().date;
            const auto result = widgetkit::renderEntry(d.configuration, answer.entries.front(), d.designSize(), 2, env);
            benchmark::DoNotOptimize(result.image.constBits());
        }
    }
    state.counters["widgets"] = static_cast<double>(all.size());
}

} // namespace

BENCHMARK(wholeBundleFromSamples)->Unit(benchmark::kMillisecond);
