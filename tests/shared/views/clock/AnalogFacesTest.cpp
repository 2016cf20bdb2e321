#include "shared/foundation/PlyxTokens.h"
#include "shared/views/clock/ClockAnalogClassic.h"
#include "shared/views/clock/ClockAnalogMinimal.h"
#include "shared/views/clock/ClockDotDial.h"
#include "tests/shared/views/clock/ClockTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace plyx {
namespace {

using test::DumpLine;

// The degrees of every rotation in drawing order.
std::vector<double> rotations(const std::vector<DumpLine>& lines) {
    std::vector<double> out;
    for (const auto& l : test::ofKind(lines, "rotation")) out.push_back(std::stod(l.attr("degrees")));
    return out;
}

// The last three rotations are the hands: hour, minute, accent.
std::vector<double> handAngles(const ui::View& face) {
    const auto all = rotations(test::dumpLines(face, {160, 160}));
    return all.size() < 3 ? all : std::vector<double>(all.end() - 3, all.end());
}

Date at(int hour, int minute, const char* zone = "Europe/Paris") { return time::dateFrom(2026, 5, 4, hour, minute, 0, zone); }

TEST(AnalogFaces, HandAnglesFollowTheZonesHourAndMinute) {
    struct Case {
        int hour, minute;
        std::optional<double> seconds;
        std::vector<double> classic, dotDial;
    };
    const Case cases[] = {
        {3, 0, std::nullopt, {90, 0, 150}, {90, 0, 150}},
        {9, 30, std::nullopt, {285, 180, 330}, {285, 180, 330}},
        {0, 0, std::nullopt, {0, 0, 150}, {0, 0, 150}},
        {12, 0, std::nullopt, {0, 0, 150}, {0, 0, 150}},
        {6, 15, std::nullopt, {187.5, 90, 240}, {187.5, 90, 240}},
        {10, 10, 37.0, {305, 60, 222}, {305, 60, 222}},
    };
    const auto ctx = test::clockContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
        const Date d = at(c.hour, c.minute);
        EXPECT_EQ(handAngles(ClockAnalogClassic{d, "Europe/Paris", c.seconds, false, ctx}), c.classic);
        EXPECT_EQ(handAngles(ClockAnalogClassic{d, "Europe/Paris", c.seconds, true, ctx}), c.classic);
        EXPECT_EQ(handAngles(ClockDotDial{d, "Europe/Paris", c.seconds, ctx}), c.dotDial);
        auto minimal = handAngles(ClockAnalogMinimal{d, "Europe/Paris", c.seconds, false, ctx});
        ASSERT_EQ(minimal.size(), 3u);
        EXPECT_EQ(minimal[0], c.classic[0]);
        EXPECT_EQ(minimal[1], c.classic[1]);
    }
    // The face reads the time in its own zone: 10:00 in Paris is 13:30 in Kolkata.
    EXPECT_EQ(handAngles(ClockAnalogClassic{at(10, 0), "Asia/Kolkata", std::nullopt, false, ctx}),
              (std::vector<double>{45, 180, 330}));
}

TEST(AnalogFaces, ClassicTickRingAndCapRing) {
    const auto ctx = test::clockContext();
    const auto lines = test::dumpLines(ClockAnalogClassic{at(3, 0), "Europe/Paris", std::nullopt, false, ctx}, {160, 160});
    ASSERT_FALSE(lines.empty());
    EXPECT_NEAR(lines[0].width, 122, 0.01);
    EXPECT_NEAR(lines[0].height, 122, 0.01);

    int hourTicks = 0, minuteTicks = 0;
    for (const auto& r : test::ofKind(lines, "Rectangle")) {
        if (r.attr("fill") == test::hex(ctx.pal.ink) && std::abs(r.width - 2.5) < 0.01 && std::abs(r.height - 12) < 0.01)
            ++hourTicks;
        if (r.attr("fill") == test::hex(ctx.pal.inkFaint) && std::abs(r.width - 1) < 0.01 &&
            std::abs(r.height - 7) < 0.01)
            ++minuteTicks;
    }
    EXPECT_EQ(hourTicks, 12);
    EXPECT_EQ(minuteTicks, 60);
    const auto turns = rotations(lines);
    ASSERT_EQ(turns.size(), 12u + 60u + 3u);
    EXPECT_EQ(turns[1], 30);
    EXPECT_EQ(turns[12 + 1], 6);
    EXPECT_EQ(turns[12 + 59], 354);
    EXPECT_EQ(test::textsOf(ClockAnalogClassic{at(3, 0), "Europe/Paris", std::nullopt, false, ctx}, {160, 160}).size(),
              0u);

    // Drawn: the hour tick at 3 o'clock runs from 49 to 61 out from the centre,
    // the minute tick drawn along its middle; nothing past 61.
    const QImage img = test::renderImage(ClockAnalogClassic{at(4, 20), "Europe/Paris", std::nullopt, false, ctx}, {160, 160});
    EXPECT_TRUE(test::near(test::pixelAt(img, 80 + 50, 80), ctx.pal.ink));
    EXPECT_TRUE(test::near(test::pixelAt(img, 80 + 58, 80), ctx.pal.inkFaint));
    EXPECT_TRUE(test::near(test::pixelAt(img, 80, 80 + 50), ctx.pal.ink));
    EXPECT_EQ(test::pixelAt(img, 80 + 62.5, 80).alpha(), 0);

    // The cap ring: white on the light tone's ink, the fixed ink on any other.
    struct Ring {
        ui::Color ink, ring;
    };
    const Ring rings[] = {
        {ui::Color::grey255(17), ui::Color::white()},
        {ui::Color::grey255(18), PlyxTokens::ink},
        {ui::Color::grey255(17, 0.5), PlyxTokens::ink},
        {ui::Color::white(), PlyxTokens::ink},
    };
    for (const auto& r : rings) {
        auto c = ctx;
        c.pal.ink = r.ink;
        const auto circles =
            test::ofKind(test::dumpLines(ClockAnalogClassic{at(3, 0), "UTC", std::nullopt, false, c}, {160, 160}),
                         "Circle");
        ASSERT_EQ(circles.size(), 2u);
        EXPECT_EQ(circles[0].attr("fill"), test::hex(ctx.pal.accent));
        EXPECT_NEAR(circles[0].width, 9, 0.01);
        EXPECT_EQ(circles[1].attr("strokeBorder"), test::hex(r.ring)) << test::hex(r.ink);
    }
}

TEST(AnalogFaces, HybridTimeSitsAboveTheCentreUnderTheHands) {
    test::ClockSetting setting(24);
    for (const auto style : ThemeSettings::allNumeralStyles) {
        SCOPED_TRACE(rawValue(style));
        const auto ctx = test::clockContext(style);
        for (const bool classic : {true, false}) {
            const ui::View face = classic
                                      ? ui::View(ClockAnalogClassic{at(21, 40, "UTC"), "UTC", std::nullopt, true, ctx})
                                      : ui::View(ClockAnalogMinimal{at(21, 40, "UTC"), "UTC", std::nullopt, true, ctx});
            const auto lines = test::dumpLines(face, {160, 160});
            const auto offsets = test::ofKind(lines, "offset");
            const auto time = std::find_if(offsets.begin(), offsets.end(),
                                           [](const DumpLine& l) { return l.attr("by") == "0,-27"; });
            ASSERT_NE(time, offsets.end());
            EXPECT_NEAR(time->y + time->height / 2, 80, 0.01); // laid out in the centre, drawn 27 above it
            const auto texts = test::ofKind(lines, "Text");
            std::string shown;
            for (const auto& t : texts) {
                shown += t.text();
                EXPECT_EQ(t.attr("color"), test::hex(ctx.pal.ink));
            }
            EXPECT_EQ(shown, style == ThemeSettings::NumeralStyle::dotMatrix ? "2140" : "21:40");
            // The time comes before the hands in drawing order.
            size_t textAt = 0, handAt = 0;
            for (size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].kind == "Text" && !textAt) textAt = i;
                if (lines[i].kind == "rotation" && lines[i].attr("degrees") == "290") handAt = i; // 21:40's hour hand
            }
            EXPECT_GT(textAt, 0u);
            EXPECT_GT(handAt, textAt);
        }
    }
}

TEST(AnalogFaces, MinimalDotsAndNoAccentHand) {
    const auto ctx = test::clockContext(ThemeSettings::NumeralStyle::dotMatrix, ThemeSettings::LabelStyle::monoCaps, 2);
    const ClockAnalogMinimal face{at(3, 0, "UTC"), "UTC", 37.0, false, ctx};
    const auto lines = test::dumpLines(face, {320, 320});
    EXPECT_NEAR(lines[0].width, 244, 0.01);
    const auto circles = test::ofKind(lines, "Circle");
    ASSERT_EQ(circles.size(), 5u); // four dots, then the cap without a ring
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(circles[i].attr("fill"), test::hex(ui::Color::grey255(76)));
        EXPECT_NEAR(circles[i].width, 10, 0.01);
    }
    EXPECT_EQ(circles[4].attr("fill"), test::hex(ctx.pal.accent));
    EXPECT_EQ(rotations(lines), (std::vector<double>{0, 90, 180, 270, 90, 0, 222}));
    // The accent hand has no length, even with seconds given.
    for (const auto& r : test::ofKind(lines, "Rectangle")) EXPECT_EQ(r.height * r.width, 0) << r.attrs;

    // Drawn: the dots on a circle of 58.5 (117 at u = 2), at 12, 3, 6 and 9.
    const QImage img = test::renderImage(face, {320, 320});
    for (const auto& [dx, dy] : std::vector<std::pair<double, double>>{{0, -117}, {117, 0}, {0, 117}, {-117, 0}})
        EXPECT_TRUE(test::near(test::pixelAt(img, 160 + dx, 160 + dy), ui::Color::grey255(76))) << dx << "," << dy;
    EXPECT_EQ(test::pixelAt(img, 160 + 83, 160 + 83).alpha(), 0);
}

TEST(AnalogFaces, DotDialNumerals) {
    for (const auto style : ThemeSettings::allNumeralStyles) {
        SCOPED_TRACE(rawValue(style));
        const auto ctx = test::clockContext(style);
        const auto lines = test::dumpLines(ClockDotDial{at(12, 0), "Europe/Paris", std::nullopt, ctx}, {160, 160});
        EXPECT_NEAR(lines[0].width, 124, 0.01);
        EXPECT_NEAR(lines[0].height, 124, 0.01);
        const auto texts = test::ofKind(lines, "Text");
        ASSERT_EQ(texts.size(), 4u);
        std::vector<std::string> shown, moves;
        for (const auto& t : texts) {
            shown.push_back(t.text());
            EXPECT_EQ(t.attr("size"), "19");
            EXPECT_EQ(t.attr("color"), test::hex(ctx.pal.ink));
            if (style != ThemeSettings::NumeralStyle::mono) {
                EXPECT_EQ(t.attr("weight"), "heavy");
            }
            // Each numeral is laid out on the centre before it is moved.
            EXPECT_NEAR(t.x + t.width / 2, 80, 0.01);
            EXPECT_NEAR(t.y + t.height / 2, 80, 0.01);
        }
        for (const auto& o : test::ofKind(lines, "offset")) moves.push_back(o.attr("by"));
        EXPECT_EQ(shown, (std::vector<std::string>{"12", "3", "6", "9"}));
        EXPECT_EQ(moves, (std::vector<std::string>{"0,-52", "52,0", "0,52", "-52,0"}));
        if (style == ThemeSettings::NumeralStyle::system) {
            EXPECT_EQ(texts[0].attr("font"), "system");
        }
    }
}

} // namespace
} // namespace plyx
