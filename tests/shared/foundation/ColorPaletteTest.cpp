#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/WidgetPalette.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plyx {
namespace {

using ui::Color;
using Surface = ThemeSettings::SurfaceStyle;
using Tone = WidgetPalette::Tone;

Color rgb255(double r, double g, double b, double a = 1) { return Color::rgb(r / 255, g / 255, b / 255, a); }

void expectColor(const Color& got, const Color& want, const std::string& what) {
    EXPECT_NEAR(got.r, want.r, 1e-9) << what;
    EXPECT_NEAR(got.g, want.g, 1e-9) << what;
    EXPECT_NEAR(got.b, want.b, 1e-9) << what;
    EXPECT_NEAR(got.a, want.a, 1e-9) << what;
}

TEST(HexColour, ReadsLikeTheIntegerParser) {
    const std::pair<const char*, std::optional<Color>> cases[] = {
        {"#D71921", PlyxTokens::nothingRed},
        {"d71921", PlyxTokens::nothingRed},
        {"  #30D158\n", PlyxTokens::green},
        {"\t30d158 \r\n", PlyxTokens::green},
        {"\xC2\xA0#30D158\xE2\x80\xA8", PlyxTokens::green}, // no-break space, line separator
        {"+D7192", rgb255(13, 113, 146)},
        {"-00000", rgb255(0, 0, 0)},
        {"-00001", std::nullopt},
        {"##D71921", std::nullopt},
        {"D7192", std::nullopt},
        {"D7192G", std::nullopt},
        {"#D71921FF", std::nullopt},
        {"", std::nullopt},
        {"#", std::nullopt},
        {"+-1234", std::nullopt},
        {"D7 921", std::nullopt},
    };
    for (const auto& [text, want] : cases) {
        const auto got = colorFromHexString(text);
        ASSERT_EQ(got.has_value(), want.has_value()) << '"' << text << '"';
        if (want) expectColor(*got, *want, text);
    }
}

TEST(HexColour, WritesUpperCaseRoundingHalvesUpAndReadsBack) {
    EXPECT_EQ(hexString(PlyxTokens::nothingRed), "#D71921");
    EXPECT_EQ(hexString(Color::rgb(0.5, 0, 1)).substr(0, 3), "#80");   // 127.5 -> 128
    EXPECT_EQ(hexString(Color::rgb(0.5, 0, 1, 0.2)), "#8000FF");        // opacity not written
    EXPECT_EQ(hexString(Color::rgb(-0.2, 1.4, NAN)), "#00FF00");        // held to 0...1
    for (const Color& c : {PlyxTokens::blue, PlyxTokens::orange, PlyxTokens::purple, PlyxTokens::green})
        expectColor(colorFromHexString(hexString(c)).value(), c, hexString(c));
}

TEST(HexColour, BrightenAndLightness) {
    expectColor(brightened(PlyxTokens::blue, 0.25), rgb255(71.25, 162.75, 255), "blue +0.25");
    expectColor(brightened(Color::rgb(0.2, 0.4, 0.6, 0.3), 0), Color::rgb(0.2, 0.4, 0.6, 1), "opaque result");
    expectColor(brightened(Color::rgb(0.9, 0.9, 0.9), 2), Color::white(), "capped at white");

    EXPECT_TRUE(isLightAccent(PlyxTokens::orange));
    for (const Color& c : {PlyxTokens::nothingRed, PlyxTokens::blue, PlyxTokens::purple, PlyxTokens::green})
        EXPECT_FALSE(isLightAccent(c));
    // A grey of luma exactly 0.62 is not light; a hair above is.
    EXPECT_FALSE(isLightAccent(Color::rgb(0.62, 0.62, 0.62)));
    EXPECT_TRUE(isLightAccent(Color::rgb(0.6201, 0.6201, 0.6201)));
}

TEST(WidgetPalette, SolidTablesByTone) {
    const Color accent = PlyxTokens::blue;
    const auto light = WidgetPalette::resolve(Surface::solid, Tone::light, accent);
    const auto dark = WidgetPalette::resolve(Surface::solid, Tone::dark, accent);
    const WidgetPalette wantLight{Color::grey255(17),  Color::grey255(138), Color::grey255(196),
                                  accent,              Color::grey255(226), Color::grey255(17),
                                  Color::grey255(236), rgb255(244, 244, 242)};
    const WidgetPalette wantDark{Color::grey255(245), Color::grey255(138), Color::grey255(95),
                                 accent,              Color::grey255(58),  Color::grey255(245),
                                 Color::grey255(46),  Color::grey255(31)};
    EXPECT_EQ(light, wantLight);
    EXPECT_EQ(dark, wantDark);
}

TEST(WidgetPalette, GlassAndAccentIgnoreTheTone) {
    const Color w = Color::white();
    const auto glass = WidgetPalette::resolve(Surface::glass, Tone::light, PlyxTokens::blue);
    EXPECT_EQ(glass, WidgetPalette::resolve(Surface::glass, Tone::dark, PlyxTokens::blue));
    EXPECT_EQ(glass, (WidgetPalette{w, w.opacity(0.65), w.opacity(0.5), brightened(PlyxTokens::blue, 0.25),
                                    w.opacity(0.25), w, w.opacity(0.18), w.opacity(0.1)}));

    const auto onOrange = WidgetPalette::resolve(Surface::accent, Tone::dark, PlyxTokens::orange);
    EXPECT_EQ(onOrange, WidgetPalette::resolve(Surface::accent, Tone::light, PlyxTokens::orange));
    const Color b = Color::grey255(17);
    EXPECT_EQ(onOrange, (WidgetPalette{b, b.opacity(0.55), b.opacity(0.4), b, b.opacity(0.22), b, b.opacity(0.2),
                                       b.opacity(0.1)}));

    const auto onPurple = WidgetPalette::resolve(Surface::accent, Tone::light, PlyxTokens::purple);
    EXPECT_EQ(onPurple, (WidgetPalette{w, w.opacity(0.7), w.opacity(0.55), w, w.opacity(0.3), w, w.opacity(0.2),
                                       w.opacity(0.1)}));
}

TEST(WidgetPalette, Backgrounds) {
    using K = WidgetBackground::Kind;
    const auto solidDark = WidgetPalette::background(Surface::solid, Tone::dark, PlyxTokens::green);
    EXPECT_EQ(solidDark.kind, K::color);
    EXPECT_EQ(solidDark.color, Color::grey255(22));
    EXPECT_EQ(WidgetPalette::background(Surface::solid, Tone::light, PlyxTokens::green).color, Color::white());
    EXPECT_EQ(WidgetPalette::background(Surface::glass, Tone::light, PlyxTokens::green).kind, K::ultraThinMaterial);
    const auto acc = WidgetPalette::background(Surface::accent, Tone::light, PlyxTokens::blue);
    EXPECT_EQ(acc.kind, K::verticalGradient);
    EXPECT_EQ(acc.top, brightened(PlyxTokens::blue, 0.18));
    EXPECT_EQ(acc.bottom, PlyxTokens::blue);
}

} // namespace
} // namespace plyx
