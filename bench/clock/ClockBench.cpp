// One minute entry of each clock face as the host draws it: the face inside
// the widget root at its design size, device-pixel ratio 2, in the
// dot-matrix numeral style (the default theme).
#include "platform/time/Time.h"
#include "platform/ui/View.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/views/clock/ClockAnalogClassic.h"
#include "shared/views/clock/ClockAnalogMinimal.h"
#include "shared/views/clock/ClockDotDial.h"
#include "shared/views/clock/ClockDual.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/clock/ClockMatrixSmall.h"
#include "shared/views/clock/ClockStacked.h"
#include "shared/views/clock/ClockWorld.h"

#include <QGuiApplication>

#include "bench/support/BenchApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

using namespace plyx;

namespace {

// A private data folder, so the benchmark never reads the user's theme.
void setUp() { bench::benchApp("bench_clock"); }

using Face = std::function<ui::View(Date, const WCtx&)>;

void render(benchmark::State& state, WidgetPalette::Tone tone, ui::Size size, const Face& face) {
    setUp();
    const Date date = time::dateFrom(2026, 1, 5, 10, 10, 0, "UTC");
    const ui::View root = PlyxWidgetRoot(tone, size, SurfaceOption::followApp,
                                         [date, face](const WCtx& ctx) { return face(date, ctx); });
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) {
        const auto result = ui::render(root, size, 2, env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}

const ui::Size kSmall{160, 160}, kMedium{344, 160};
const auto kDark = WidgetPalette::Tone::dark;
const auto kLight = WidgetPalette::Tone::light;

} // namespace

BENCHMARK_CAPTURE(render, analog_classic, kLight, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockAnalogClassic{d, "Europe/Paris", std::nullopt, false, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, hybrid_classic, kLight, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockAnalogClassic{d, "Europe/Paris", std::nullopt, true, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, analog_minimal, kDark, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockAnalogMinimal{d, "Europe/Paris", std::nullopt, false, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, hybrid_minimal, kDark, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockAnalogMinimal{d, "Europe/Paris", std::nullopt, true, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, dot_dial, kDark, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockDotDial{d, "Europe/Paris", std::nullopt, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, matrix_small, kLight, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockMatrixSmall{d, "Europe/Paris", "Paris", c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, stacked, kDark, kSmall, [](Date d, const WCtx& c) -> ui::View {
    return ClockStacked{d, "Europe/Paris", c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, matrix_medium, kDark, kMedium, [](Date d, const WCtx& c) -> ui::View {
    return ClockMatrixMedium{d, "Europe/Paris", c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, world, kLight, kMedium, [](Date d, const WCtx& c) -> ui::View {
    return ClockWorld{d, {"Europe/Paris", "America/New_York", "Asia/Tokyo"}, 0, c};
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(render, dual, kDark, kMedium, [](Date d, const WCtx& c) -> ui::View {
    return ClockDual{d, "Europe/Paris", "Australia/Sydney", c};
})->Unit(benchmark::kMillisecond);
