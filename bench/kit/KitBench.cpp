// Lays out and draws a large widget built from the kit through the widget
// root (theme read, palette, background) at device-pixel ratio 2: a dot bar,
// a 7x5 grid, a seven-bar chart, captions, clock hands and check circles.
#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/CheckCircle.h"
#include "shared/views/kit/ClockHands.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/kit/DotBarChart.h"
#include "shared/views/kit/DotGrid.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace plyx;

ui::View sheet(const WCtx& ctx) {
    const double u = ctx.u;
    const auto& p = ctx.pal;
    ClockHands hands;
    hands.date = time::dateFrom(2026, 5, 4, 10, 9, 0, "UTC");
    hands.timeZone = "UTC";
    hands.handColor = p.ink;
    hands.accentColor = p.accent;
    hands.capRing = p.ink;
    hands.ctx = ctx;
    std::vector<DotBarChart::Bar> bars;
    for (int i = 0; i < 7; ++i) bars.emplace_back(0.15 * i, std::nullopt, "D");
    return ui::VStack({Caption{"Battery · 68%", 10, 0.1, p.inkDim, ctx},
                       DotBar{0.68, 0.12, 7, 5, p.track, p.fill, p.accent, u},
                       ui::HStack({DotGrid{7, 5, 12, 5, p.track, p.fill, 11, p.accent, u}.body().frame(130 * u, 88 * u),
                                   ui::Spacer(), hands.body().frame(100 * u, 100 * u)}),
                       DotBarChart{bars, 12, 60, 5, 3.5, p.inkFaint, PlyxFonts::label(8 * u, ctx.theme.labels),
                                   p.inkDim, u},
                       ui::HStack({DotCaption{"Next up", 9, 0.1, p.accent, p.ink, ctx}, ui::Spacer(),
                                   CheckCircle{false, 18, p.inkDim, p.chip, ctx},
                                   CheckCircle{true, 18, p.fill, p.track, ctx}})},
                      ui::HorizontalAlignment::leading, 10 * u)
        .padding(16 * u);
}

void BM_KitSheetThroughRoot(benchmark::State& state) {
    const ui::View root = PlyxWidgetRoot(WidgetPalette::Tone::dark, DesignSize::large, SurfaceOption::followApp, sheet);
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) benchmark::DoNotOptimize(ui::render(root, {344, 344}, 2, env));
}
BENCHMARK(BM_KitSheetThroughRoot)->Unit(benchmark::kMillisecond);

// The root's own share: one stored-theme read per render.
void BM_ThemeRead(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ThemeStore::current());
}
BENCHMARK(BM_ThemeRead)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Offscreen GUI, and a throwaway data folder so the theme read touches no user files.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto data = std::filesystem::temp_directory_path() / "plyx-kit-bench";
    std::filesystem::create_directories(data);
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(data);
    return 0;
}
