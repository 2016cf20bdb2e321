#include "platform/time/Time.h"
#include "platform/ui/Symbols.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/CheckCircle.h"
#include "shared/views/kit/ClockHands.h"
#include "tests/support/dump/DumpLines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plyx {
namespace {

using test::hex;
using ui::Color;

const Color kInk = Color::grey255(245);
const Color kRed = Color::rgb(215 / 255.0, 25 / 255.0, 33 / 255.0);
const Color kRing = Color::rgb(10 / 255.0, 132 / 255.0, 1);

WCtx ctxWith(ThemeSettings::LabelStyle labels, double u = 1) {
    WCtx ctx;
    ctx.theme.labels = labels;
    ctx.u = u;
    return ctx;
}

double textWidth(const ui::View& v) {
    const auto texts = test::ofKind(test::dumpLines(v.fixedSize(), {400, 40}), "Text");
    return texts.empty() ? -1 : texts[0].width;
}

TEST(Caption, FollowsTheLabelStyle) {
    const auto caps = ctxWith(ThemeSettings::LabelStyle::monoCaps);
    const auto sans = ctxWith(ThemeSettings::LabelStyle::systemSans);

    const auto capsText = test::ofKind(test::dumpLines(Caption{"Next up", 10, 0.1, kInk, caps}, {200, 30}), "Text");
    ASSERT_EQ(capsText.size(), 1u);
    EXPECT_EQ(capsText[0].attr("text"), "\"NEXT");
    EXPECT_NE(capsText[0].attrs.find("text=\"NEXT UP\""), std::string::npos);
    EXPECT_EQ(capsText[0].attr("font"), "Fragment");
    EXPECT_NE(capsText[0].attrs.find("font=Fragment Mono size=10"), std::string::npos);
    EXPECT_EQ(capsText[0].attr("color"), hex(kInk));

    const auto sansText = test::ofKind(test::dumpLines(Caption{"Next up", 10, 0.1, kInk, sans}, {200, 30}), "Text");
    ASSERT_EQ(sansText.size(), 1u);
    EXPECT_NE(sansText[0].attrs.find("text=\"Next up\""), std::string::npos);
    EXPECT_EQ(sansText[0].attr("font"), "system");
    EXPECT_EQ(sansText[0].attr("size"), "10");

    EXPECT_EQ((Caption{"straße über", 10, 0.1, kInk, caps}.displayText()), "STRASSE ÜBER");
}

TEST(Caption, CapitalsAreLetterSpaced) {
    const auto caps = ctxWith(ThemeSettings::LabelStyle::monoCaps);
    const auto sans = ctxWith(ThemeSettings::LabelStyle::systemSans);
    // Letter spacing: size x em x u after each of the seven characters under
    // capitals, none under the system style (em is ignored there).
    const double spaced = textWidth(Caption{"Next up", 10, 0.1, kInk, caps});
    const double tight = textWidth(Caption{"Next up", 10, 0, kInk, caps});
    EXPECT_GE(spaced - tight, 6 - 0.01);
    EXPECT_LE(spaced - tight, 7 + 0.01);
    const double doubled = textWidth(Caption{"Next up", 10, 0.1, kInk, ctxWith(ThemeSettings::LabelStyle::monoCaps, 2)});
    EXPECT_NEAR(doubled, 2 * spaced, 0.5);
    EXPECT_NEAR(textWidth(Caption{"Next up", 10, 0.5, kInk, sans}), textWidth(Caption{"Next up", 10, 0, kInk, sans}),
                0.01);

}

TEST(Caption, StaysOnOneLineAndIsCut) {
    for (const auto labels : ThemeSettings::allLabelStyles) {
        const auto texts = test::ofKind(
            test::dumpLines(Caption{"A caption far too long for its little space", 10, 0.1, kInk, ctxWith(labels)},
                            {80, 60}),
            "Text");
        ASSERT_EQ(texts.size(), 1u);
        const std::string shown = texts[0].attrs.substr(0, texts[0].attrs.find("\" color="));
        EXPECT_EQ(shown.find("\\n"), std::string::npos) << shown;
        EXPECT_NE(shown.find("…"), std::string::npos) << shown;
        EXPECT_LE(texts[0].width, 80.01);
        EXPECT_LT(texts[0].height, 20);
    }
}

TEST(DotCaption, LeadingDotThenCaption) {
    const auto lines = test::dumpLines(DotCaption{"Live", 9, 0.1, kRed, kInk, ctxWith(ThemeSettings::LabelStyle::monoCaps, 2)},
                                       {200, 40});
    const auto dots = test::ofKind(lines, "Circle");
    const auto texts = test::ofKind(lines, "Text");
    ASSERT_EQ(dots.size(), 1u);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(dots[0].attr("fill"), hex(kRed));
    EXPECT_NEAR(dots[0].width, 10, 0.01);
    EXPECT_NEAR(texts[0].x - (dots[0].x + dots[0].width), 12, 0.01);
    EXPECT_NEAR(dots[0].y + dots[0].height / 2, texts[0].y + texts[0].height / 2, 0.01);
    EXPECT_NE(texts[0].attrs.find("text=\"LIVE\""), std::string::npos);

    // Drawn: the dot in its colour, and glyph pixels in the text colour inside the text's frame.
    const auto v = DotCaption{"Live", 9, 0.1, kRed, kInk, ctxWith(ThemeSettings::LabelStyle::monoCaps, 2)};
    const QImage img = test::renderImage(v, {200, 40});
    EXPECT_TRUE(test::near(test::pixelAt(img, dots[0].x + 5, dots[0].y + 5), kRed));
    int inked = 0;
    for (double x = texts[0].x; x < texts[0].x + texts[0].width; x += 0.5)
        for (double y = texts[0].y; y < texts[0].y + texts[0].height; y += 0.5)
            if (test::near(test::pixelAt(img, x, y), kInk, 8)) ++inked;
    EXPECT_GT(inked, 20);
}

ClockHands hands(Date d, const std::string& zone, std::optional<double> live = std::nullopt,
                 std::optional<Color> ring = std::nullopt) {
    ClockHands h;
    h.date = d;
    h.timeZone = zone;
    h.hourLength = 30;
    h.minuteLength = 44;
    h.accentLength = 48;
    h.hourWidth = 6;
    h.minuteWidth = 4;
    h.accentWidth = 2;
    h.handColor = kInk;
    h.accentColor = kRed;
    h.capSize = 10;
    h.capRing = ring;
    h.ctx.u = 1;
    h.liveSeconds = live;
    return h;
}

TEST(ClockHands, Angles) {
    struct Case {
        int hour, minute, second;
        std::optional<double> live;
        ClockHands::Angles want;
    };
    const Case cases[] = {
        {3, 30, 0, std::nullopt, {105, 180, 330}},
        {12, 0, 0, std::nullopt, {0, 0, 150}},
        {0, 0, 0, std::nullopt, {0, 0, 150}},
        {15, 59, 59, std::nullopt, {119.5, 354, 504}}, // seconds do not move the minute hand
        {8, 20, 0, 12.5, {250, 120, 75}},
    };
    for (const auto& c : cases) {
        const Date d = time::dateFrom(2026, 5, 4, c.hour, c.minute, c.second, "Europe/Paris");
        EXPECT_EQ(hands(d, "Europe/Paris", c.live).angles(), c.want) << c.hour << ":" << c.minute;
    }
    // One moment, two zones five and a half hours apart.
    const Date d = time::dateFrom(2026, 5, 4, 10, 10, 0, "UTC");
    const auto a = hands(d, "UTC").angles();
    const auto b = hands(d, "Asia/Kolkata").angles();
    EXPECT_DOUBLE_EQ(std::fmod(b.hour - a.hour + 360, 360), 165);
    EXPECT_DOUBLE_EQ(std::fmod(b.minute - a.minute + 360, 360), 180);
}

TEST(ClockHands, HandsCapAndRing) {
    const Date d = time::dateFrom(2026, 5, 4, 3, 0, 0, "UTC");
    const auto lines = test::dumpLines(hands(d, "UTC", std::nullopt, kRing), {120, 120});
    std::vector<std::string> rotations;
    for (const auto& l : lines)
        if (!l.attr("degrees").empty()) rotations.push_back(l.attr("degrees"));
    EXPECT_EQ(rotations, (std::vector<std::string>{"90", "0", "150"}));
    // Hands in stacks with the default spacing: bar, 8 points, empty space of the bar's length.
    const auto stacks = test::ofKind(lines, "VStack");
    ASSERT_EQ(stacks.size(), 3u);
    EXPECT_NEAR(stacks[0].height, 30 + 8 + 30, 0.01);
    EXPECT_NEAR(stacks[1].height, 44 + 8 + 44, 0.01);
    const auto ring = test::ofKind(lines, "Circle");
    ASSERT_EQ(ring.size(), 2u); // cap, then its ring
    EXPECT_EQ(ring[0].attr("fill"), hex(kRed));
    EXPECT_EQ(ring[1].attr("strokeBorder"), hex(kRing));
    EXPECT_EQ(ring[1].attr("width"), "2");
    EXPECT_NEAR(ring[1].width, 10, 0.01); // the ring does not enlarge the cap
    EXPECT_EQ(test::ofKind(test::dumpLines(hands(d, "UTC"), {120, 120}), "Circle").size(), 1u);

    // At 03:00 the minute hand points up and the hour hand right, starting 4 points from the centre.
    const QImage img = test::renderImage(hands(d, "UTC"), {120, 120});
    EXPECT_TRUE(test::near(test::pixelAt(img, 60, 60 - 4 - 30), kInk));
    EXPECT_TRUE(test::near(test::pixelAt(img, 60 + 4 + 20, 60), kInk));
    EXPECT_EQ(test::pixelAt(img, 60 - 30, 60).alpha(), 0);
    EXPECT_TRUE(test::near(test::pixelAt(img, 60, 60), kRed));
}

TEST(CheckCircle, OpenRingAndDoneDisc) {
    ASSERT_TRUE(ui::hasSymbol("checkmark"));
    WCtx ctx;
    ctx.u = 2;
    const auto open = test::dumpLines(CheckCircle{false, 18, kInk, kRed, ctx}, {60, 60});
    const auto done = test::dumpLines(CheckCircle{true, 18, kInk, kRed, ctx}, {60, 60});
    EXPECT_NEAR(open[0].width, 36, 0.01);
    EXPECT_NEAR(open[0].height, 36, 0.01);
    EXPECT_NEAR(done[0].width, 36, 0.01);
    EXPECT_NEAR(done[0].height, 36, 0.01);

    const auto ring = test::ofKind(open, "Circle");
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0].attr("strokeBorder"), hex(kInk));
    EXPECT_EQ(ring[0].attr("width"), "3");
    EXPECT_TRUE(test::ofKind(open, "Image").empty());

    const auto disc = test::ofKind(done, "Circle");
    const auto check = test::ofKind(done, "Image");
    ASSERT_EQ(disc.size(), 1u);
    ASSERT_EQ(check.size(), 1u);
    EXPECT_EQ(disc[0].attr("fill"), hex(kInk));
    EXPECT_EQ(check[0].attr("symbol"), "checkmark");
    EXPECT_EQ(check[0].attr("color"), hex(kRed));

    const QImage openImg = test::renderImage(CheckCircle{false, 18, kInk, kRed, ctx}, {60, 60});
    EXPECT_EQ(test::pixelAt(openImg, 30, 30).alpha(), 0);
    EXPECT_TRUE(test::near(test::pixelAt(openImg, 30 - 18 + 1.5, 30), kInk));
    const QImage doneImg = test::renderImage(CheckCircle{true, 18, kInk, kRed, ctx}, {60, 60});
    EXPECT_TRUE(test::near(test::pixelAt(doneImg, 30, 30 + 14), kInk));
}

} // namespace
} // namespace plyx
