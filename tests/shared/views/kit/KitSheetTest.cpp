// Every kit piece on one large widget, drawn through the root on each
// background. The first dot of the bar is probed for the palette's fill; when
// PLYX_TEST_ARTIFACTS is set the sheets are written there for a person to look at.
#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/CheckCircle.h"
#include "shared/views/kit/ClockHands.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/kit/DotBarChart.h"
#include "shared/views/kit/DotGrid.h"
#include "tests/support/dump/DumpLines.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

ui::View kitSheet(const WCtx& ctx) {
    const double u = ctx.u;
    const auto& p = ctx.pal;
    // The tick stands out against the disc: dark on a light fill, light on a dark one.
    const ui::Color tick = isLightAccent(p.fill) ? PlyxTokens::ink : PlyxTokens::paper;
    ClockHands hands;
    hands.date = time::dateFrom(2026, 5, 4, 10, 9, 0, "UTC");
    hands.timeZone = "UTC";
    hands.hourLength = 26;
    hands.minuteLength = 38;
    hands.accentLength = 42;
    hands.hourWidth = 5;
    hands.minuteWidth = 3.5;
    hands.accentWidth = 1.5;
    hands.handColor = p.ink;
    hands.accentColor = p.accent;
    hands.capSize = 8;
    hands.capRing = p.ink;
    hands.ctx = ctx;

    std::vector<DotBarChart::Bar> bars;
    const double values[] = {0.3, 0.54, 0.8, 1, 0.45, 0.1, 0};
    const char* days[] = {"M", "T", "W", "T", "F", "S", "S"};
    for (int i = 0; i < 7; ++i)
        bars.emplace_back(values[i], i == 3 ? std::optional(p.accent) : std::nullopt, days[i],
                          i == 3 ? std::optional(p.accent) : std::nullopt);

    return ui::VStack(
               {
                   Caption{"Battery · 68%", 10, 0.1, p.inkDim, ctx},
                   DotBar{0.68, 0.12, 7, 5, p.track, p.fill, p.accent, u},
                   ui::HStack({DotGrid{7, 5, 12, 5, p.track, p.fill, 11, p.accent, u}.body().frame(130 * u, 88 * u),
                               ui::Spacer(),
                               ui::ZStack({ui::Circle().strokeBorder(p.hairline, 1 * u), hands}).frame(100 * u, 100 * u)}),
                   DotBarChart{bars, 12, 60, 5, 3.5, p.inkFaint, PlyxFonts::label(8 * u, ctx.theme.labels),
                               p.inkDim, u},
                   ui::HStack({DotCaption{"Next up", 9, 0.1, p.accent, p.ink, ctx}, ui::Spacer(),
                               CheckCircle{false, 18, p.inkDim, p.chip, ctx}, CheckCircle{true, 18, p.fill, tick, ctx}},
                              ui::VerticalAlignment::center, 8 * u),
               },
               ui::HorizontalAlignment::leading, 10 * u)
        .padding(16 * u);
}

TEST(KitSheet, PiecesTakeThePaletteOnEveryBackground) {
    test::FreshStorage fresh;
    ThemeStore::save(ThemeSettings{});
    const std::pair<const char*, SurfaceOption> surfaces[] = {
        {"solid-dark", SurfaceOption::solid}, {"solid-light", SurfaceOption::solid},
        {"glass", SurfaceOption::glass},      {"accent", SurfaceOption::accent}};
    for (const auto& [name, surface] : surfaces) {
        const auto tone = std::string(name) == "solid-light" ? WidgetPalette::Tone::light : WidgetPalette::Tone::dark;
        WidgetPalette pal;
        const ui::View root = PlyxWidgetRoot(tone, DesignSize::large, surface, [&pal](const WCtx& ctx) {
            pal = ctx.pal;
            return kitSheet(ctx);
        });
        const auto dots = test::ofKind(test::dumpLines(root, {344, 344}), "Circle");
        ASSERT_FALSE(dots.empty());
        const QImage img = test::renderImage(root, {344, 344});
        // Every fill role is opaque, so the first (filled) dot shows it exactly.
        const auto& first = dots.front();
        EXPECT_TRUE(test::near(test::pixelAt(img, first.x + first.width / 2, first.y + first.height / 2), pal.fill))
            << name;
        if (auto dir = test::artifactsDir())
            img.save(QString::fromStdString((*dir / (std::string("kit-sheet-") + name + ".png")).string()));
    }
}

} // namespace
} // namespace plyx
