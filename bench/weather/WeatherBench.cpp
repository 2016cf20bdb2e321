// One refresh of each weather widget as the host does it when the forecast
// is cached: the timeline request (place, cache read, unit) and the render
// of its first entry at the design size, device-pixel ratio 2.
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/WeatherPlaceEntity.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/storage/SharedStorage.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QGuiApplication>

#include "bench/support/BenchApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace plyx;

namespace {

constexpr const char* kPlace = "Oslo|59.91|10.75";

// A private data folder holding a fresh forecast for the place, and a
// forecast address nothing answers: a cache miss would show as an error,
// never as a trip to the real service.
void setUp() {
    bench::benchApp("bench_weather");
    ::setenv("PLYX_FORECAST_URL", "http://127.0.0.1:9", 1);
}

void cacheForecast() {
    const auto place = WeatherPlaceEntity{kPlace}.place();
    auto snapshot = WeatherSnapshot::sample();
    snapshot.place = place.name;
    snapshot.updated = time::now();
    coding::Json j = coding::Json::object();
    j["placeKey"] = *place.cacheSuffix();
    j["snapshot"] = coding::toJson(snapshot);
    SharedStorage::suite().setData(StorageKeys::weatherCacheKey(*place.cacheSuffix()), coding::write(j));
}

void refresh(benchmark::State& state, const char* kind) {
    setUp();
    cacheForecast();
    const auto* widget = PlyxWidgetsBundle::find(kind);
    if (!widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    const auto config = *intents::Configuration::parse(widget->configuration.intent(),
                                                        std::string(R"({"place":")") + kPlace + R"(","unit":"celsius"})");
    widgetkit::TimelineProviderContext ctx;
    ctx.family = widget->row.family;
    ctx.displaySize = widget->designSize();
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) {
        const auto answer = widgetkit::request(widget->configuration, widgetkit::RequestMode::timeline, config, ctx);
        // Served from the cache: the fetch would fail, leaving only the sample (London).
        if (std::any_cast<const PlyxEntry<WeatherSnapshot>&>(answer.entries.front().entry).data.place != "Oslo") {
            state.SkipWithError("the forecast was not served from the cache");
            return;
        }
        env.now = time::now();
        const auto result = widgetkit::renderEntry(widget->configuration, answer.entries.front(), ctx.displaySize, 2, env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(refresh, current, "plyx.weather.current")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, night, "plyx.weather.night")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, forecast, "plyx.weather.forecast")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, rain, "plyx.weather.rain")->Unit(benchmark::kMillisecond);
