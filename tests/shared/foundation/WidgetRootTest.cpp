#include "platform/ui/View.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/dump/DumpLines.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace plyx {
namespace {

using Surface = ThemeSettings::SurfaceStyle;
using Tone = WidgetPalette::Tone;
using ui::RenderingMode;

struct Seen {
    std::vector<WCtx> contexts;
};

// A root whose content records the context it is given and draws a marker text.
ui::View recordingRoot(const std::shared_ptr<Seen>& seen, Tone tone, ui::Size design, SurfaceOption surface) {
    return PlyxWidgetRoot(tone, design, surface, [seen](const WCtx& ctx) {
        seen->contexts.push_back(ctx);
        return ui::Text("marker");
    });
}

std::string dumpOf(const ui::View& v, ui::Size size, RenderingMode mode = RenderingMode::fullColor) {
    ui::Environment env;
    env.renderingMode = mode;
    return ui::dump(v, size, env);
}

// The first line of the dump whose kind is `kind`.
test::DumpLine lineOf(const std::string& dump, const std::string& kind) {
    for (auto& l : test::parseDump(dump))
        if (l.kind == kind) return l;
    return {};
}

ui::Rect frameOf(const test::DumpLine& l) { return {l.x, l.y, l.width, l.height}; }

TEST(WidgetRoot, ScaleUnitIsTheSmallerRatioAndContentFillsTheOffer) {
    test::FreshStorage fresh;
    struct Case {
        ui::Size design, offered;
        double u;
    };
    const Case cases[] = {
        {DesignSize::small, {160, 160}, 1},
        {DesignSize::small, {170, 170}, 1.0625},
        {DesignSize::medium, {344, 180}, 1},
        {DesignSize::large, {172, 344}, 0.5},
    };
    for (const auto& c : cases) {
        auto seen = std::make_shared<Seen>();
        const std::string d = dumpOf(recordingRoot(seen, Tone::dark, c.design, SurfaceOption::solid), c.offered);
        ASSERT_FALSE(seen->contexts.empty());
        EXPECT_DOUBLE_EQ(seen->contexts.back().u, c.u) << c.offered.width << "x" << c.offered.height;
        EXPECT_DOUBLE_EQ(scaleUnit(c.offered, c.design), c.u);
    }
    // Content is framed to the whole 344 by 180 and centred in it.
    auto seen = std::make_shared<Seen>();
    const std::string d = dumpOf(recordingRoot(seen, Tone::dark, DesignSize::medium, SurfaceOption::solid), {344, 180});
    EXPECT_EQ(frameOf(lineOf(d, "frame")), (ui::Rect{0, 0, 344, 180})) << d;
    const auto text = lineOf(d, "Text");
    ASSERT_EQ(text.kind, "Text") << d;
    EXPECT_NEAR(text.x + text.width / 2, 172, 0.01);
    EXPECT_NEAR(text.y + text.height / 2, 90, 0.01);
}

TEST(WidgetRoot, SurfaceResolutionPaletteAndBackground) {
    const ui::Color blue = PlyxTokens::blue;
    struct Case {
        SurfaceOption option;
        std::optional<Surface> stored; // none: nothing stored
        RenderingMode mode;
        Tone tone;
        Surface want;
        std::string background;
    };
    const std::string material = "material(ultraThin)";
    const std::string gradient = "linear(#" + hexString(brightened(blue, 0.18)).substr(1) + "FF@0,#0A84FFFF@1)";
    const Case cases[] = {
        {SurfaceOption::solid, Surface::glass, RenderingMode::fullColor, Tone::dark, Surface::solid, "#161616FF"},
        {SurfaceOption::solid, Surface::glass, RenderingMode::fullColor, Tone::light, Surface::solid, "#FFFFFFFF"},
        {SurfaceOption::solid, Surface::solid, RenderingMode::accented, Tone::dark, Surface::glass, material},
        {SurfaceOption::accent, Surface::solid, RenderingMode::vibrant, Tone::light, Surface::glass, material},
        {SurfaceOption::followApp, Surface::accent, RenderingMode::fullColor, Tone::dark, Surface::accent, gradient},
        {SurfaceOption::followApp, std::nullopt, RenderingMode::fullColor, Tone::light, Surface::solid, "#FFFFFFFF"},
        {SurfaceOption::glass, Surface::solid, RenderingMode::fullColor, Tone::dark, Surface::glass, material},
        {SurfaceOption::accent, Surface::glass, RenderingMode::fullColor, Tone::dark, Surface::accent, gradient},
    };
    for (const auto& c : cases) {
        test::FreshStorage fresh;
        ThemeSettings stored;
        stored.accent = ThemeSettings::Accent::named(ThemeSettings::Accent::Kind::blue);
        if (c.stored) {
            stored.surface = *c.stored;
            ThemeStore::save(stored);
        }
        const ui::Color accent = c.stored ? blue : PlyxTokens::nothingRed;
        auto seen = std::make_shared<Seen>();
        const std::string d = dumpOf(recordingRoot(seen, c.tone, DesignSize::small, c.option), {160, 160}, c.mode);
        ASSERT_FALSE(seen->contexts.empty());
        const WCtx& ctx = seen->contexts.back();
        EXPECT_EQ(resolveSurfaceStyle(c.option, stored.surface, c.mode), c.want);
        EXPECT_EQ(ctx.pal, WidgetPalette::resolve(c.want, c.tone, accent)) << d;
        // The context keeps the stored app-wide style, whatever this widget resolved to.
        EXPECT_EQ(ctx.theme.surface, c.stored.value_or(Surface::solid));
        // The background fills the widget, stored theme or not.
        const auto bg = lineOf(d, "Rectangle");
        EXPECT_EQ(bg.attr("fill"), c.background) << d;
        EXPECT_EQ(frameOf(bg), (ui::Rect{0, 0, 160, 160})) << d;
    }
}

TEST(WidgetRoot, ReadsTheStoredThemeOnEveryRender) {
    test::FreshStorage fresh;
    auto seen = std::make_shared<Seen>();
    const ui::View root = recordingRoot(seen, Tone::dark, DesignSize::small, SurfaceOption::followApp);
    dumpOf(root, {160, 160});
    ThemeSettings t;
    t.accent = ThemeSettings::Accent::custom("#30D158");
    t.surface = Surface::glass;
    ThemeStore::save(t);
    dumpOf(root, {160, 160});
    ASSERT_GE(seen->contexts.size(), 2u);
    EXPECT_EQ(seen->contexts.front().theme, ThemeSettings{});
    EXPECT_EQ(seen->contexts.back().theme, t);
    EXPECT_EQ(seen->contexts.back().pal.accent, brightened(PlyxTokens::green, 0.25));

    const PlyxEntry<int> entry{Date{}, 7, SurfaceOption::glass};
    EXPECT_EQ(entry.data, 7);
    EXPECT_EQ(PlyxEntry<int>{}.surface, SurfaceOption::followApp);
}

} // namespace
} // namespace plyx
