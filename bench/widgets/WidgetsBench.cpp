// One full refresh of each system widget as the host does it: the timeline
// request (store reads and writes, the /proc and /sys readings, statvfs) and
// the render of its entry at the design size, device-pixel ratio 2.
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace plyx;

namespace {

// A private data folder, so the benchmark never touches the user's suite.
void setUp() {
    static QGuiApplication* app = [] {
        namespace fs = std::filesystem;
        const auto root = fs::temp_directory_path() / ("plyx-bench-" + std::to_string(::getpid()));
        fs::create_directories(root);
        static const std::string kept = root.string();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(kept, ec);
        });
        ::setenv("XDG_DATA_HOME", root.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "bench_widgets";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

void refresh(benchmark::State& state, const char* kind) {
    setUp();
    const auto* widget = PlyxWidgetsBundle::bundle().find(kind);
    if (!widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    const auto config = intents::Configuration::defaults(widget->intent());
    widgetkit::TimelineProviderContext ctx;
    ctx.family = widget->supportedFamilies().front();
    ctx.displaySize = widgetkit::designSize(ctx.family);
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) {
        const auto answer = widgetkit::request(*widget, widgetkit::RequestMode::timeline, config, ctx);
        env.now = time::now();
        const auto result = widgetkit::renderEntry(*widget, answer.entries.front(), ctx.displaySize, 2, env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(refresh, system_monitor, "plyx.system.monitor")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, network, "plyx.system.network")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh, storage, "plyx.system.storage")->Unit(benchmark::kMillisecond);
