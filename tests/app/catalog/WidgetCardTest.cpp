#include "app/catalog/WidgetCard.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <optional>

using namespace plyx;
using Surface = ThemeSettings::SurfaceStyle;

namespace {

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};

// A card whose content is one rectangle and which remembers the context it was built with.
struct Probe {
    std::optional<WCtx> seen;
    WidgetCard card(ui::Size design, const ThemeSettings& theme, std::optional<Surface> override = std::nullopt,
                    bool background = true) {
        return WidgetCard{WidgetPalette::Tone::dark, design, theme, override, background, [this](const WCtx& ctx) {
                              seen = ctx;
                              return ui::Rectangle().fill(ctx.pal.accent);
                          }};
    }
};

} // namespace

// The widget takes the largest size of its proportions that fits, centred;
// the unit handed to the content is that scale.
TEST(WidgetCard, FitsTheDesignSizeIntoTheOfferedSpace) {
    struct Case {
        ui::Size design, offered;
        ui::Rect frame;
        double scale;
    };
    const std::vector<Case> table{
        {kMedium, {344, 344}, {0, 92, 344, 160}, 1},
        {kSmall, {240, 240}, {0, 0, 240, 240}, 1.5},
        {kSmall, {320, 200}, {60, 0, 200, 200}, 1.25},
        {kMedium, {222, 120}, {0, 8.37, 222, 103.26}, 222.0 / 344},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(testing::Message() << c.offered.width << "x" << c.offered.height);
        Probe probe;
        const auto lines = test::dumpLines(probe.card(c.design, ThemeSettings{}).body(), c.offered);
        const auto backgrounds = test::ofKind(lines, "ContinuousRoundedRectangle");
        ASSERT_EQ(backgrounds.size(), 1u);
        EXPECT_NEAR(backgrounds[0].x, c.frame.x, 0.01);
        EXPECT_NEAR(backgrounds[0].y, c.frame.y, 0.01);
        EXPECT_NEAR(backgrounds[0].width, c.frame.width, 0.01);
        EXPECT_NEAR(backgrounds[0].height, c.frame.height, 0.01);
        ASSERT_TRUE(probe.seen);
        EXPECT_DOUBLE_EQ(probe.seen->u, c.scale);
        // The content is laid out at the same size and clipped to the rounded shape.
        const auto content = test::ofKind(lines, "Rectangle");
        ASSERT_EQ(content.size(), 1u);
        EXPECT_NEAR(content[0].width, c.frame.width, 0.01);
        EXPECT_EQ(test::ofKind(lines, "clip").at(0).attr("shape"), "ContinuousRoundedRectangle");
    }
}

// The background style is the override when there is one, else the theme's;
// the palette follows the same style, and the content gets the theme as it is.
TEST(WidgetCard, SurfaceFromTheOverrideElseTheTheme) {
    ThemeSettings theme;
    theme.surface = Surface::accent;
    theme.labels = ThemeSettings::LabelStyle::systemSans;
    const ui::Color accent = theme.accentColor();
    Probe followTheme, glass, solid;
    const auto themed = test::dumpLines(followTheme.card(kSmall, theme).body(), kSmall);
    const auto overridden = test::dumpLines(glass.card(kSmall, theme, Surface::glass).body(), kSmall);
    test::dumpLines(solid.card(kSmall, theme, Surface::solid).body(), kSmall);
    ASSERT_TRUE(followTheme.seen && glass.seen && solid.seen);
    EXPECT_EQ(followTheme.seen->pal, WidgetPalette::resolve(Surface::accent, WidgetPalette::Tone::dark, accent));
    EXPECT_EQ(glass.seen->pal, WidgetPalette::resolve(Surface::glass, WidgetPalette::Tone::dark, accent));
    EXPECT_EQ(solid.seen->pal, WidgetPalette::resolve(Surface::solid, WidgetPalette::Tone::dark, accent));
    EXPECT_EQ(glass.seen->theme, theme);
    // The accent surface is filled from the accent itself; glass is not.
    const std::string themedFill = test::ofKind(themed, "ContinuousRoundedRectangle").at(0).attr("fill");
    const std::string glassFill = test::ofKind(overridden, "ContinuousRoundedRectangle").at(0).attr("fill");
    EXPECT_NE(themedFill.find(test::hex(accent)), std::string::npos) << themedFill;
    EXPECT_EQ(glassFill.find(test::hex(accent)), std::string::npos) << glassFill;
}

TEST(WidgetCard, NoBackgroundAndNoSpace) {
    Probe bare;
    const auto lines = test::dumpLines(bare.card(kSmall, ThemeSettings{}, std::nullopt, false).body(), kSmall);
    EXPECT_TRUE(test::ofKind(lines, "ContinuousRoundedRectangle").empty());
    EXPECT_EQ(test::ofKind(lines, "clip").size(), 1u);
    EXPECT_EQ(test::ofKind(lines, "Rectangle").size(), 1u);

    // Before any space is given the scale is 0: the content is not even built.
    Probe none;
    const auto empty = test::dumpLines(none.card(kSmall, ThemeSettings{}).body(), {0, 0});
    EXPECT_FALSE(none.seen);
    EXPECT_TRUE(test::ofKind(empty, "ContinuousRoundedRectangle").empty());
    EXPECT_DOUBLE_EQ(WidgetCard::scale(kSmall, {0, 300}), 0);
}
