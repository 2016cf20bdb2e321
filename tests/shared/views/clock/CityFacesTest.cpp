#include "shared/views/clock/ClockDual.h"
#include "shared/views/clock/ClockWorld.h"
#include "tests/shared/views/clock/ClockTestContext.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plyx {
namespace {

using Labels = ThemeSettings::LabelStyle;
using Numerals = ThemeSettings::NumeralStyle;

// A column of the world face as its dump shows it: the frame that shares
// out the width, its label and time, and whether its label has a dot.
struct Column {
    std::string label, time, timeColor;
    double x = 0, width = 0;
    bool dotted = false;
};

std::vector<Column> columnsOf(const ClockWorld& face, ui::Size size) {
    const auto lines = test::dumpLines(face, size);
    // The row of columns is the first horizontal stack; each child frame is one column.
    const auto row = std::find_if(lines.begin(), lines.end(), [](const test::DumpLine& l) { return l.kind == "HStack"; });
    std::vector<Column> out;
    for (auto l = row + 1; l != lines.end() && l->indent > row->indent; ++l) {
        if (l->indent == row->indent + 2) out.push_back({"", "", "", l->x, l->width, false});
        else if (l->kind == "Circle") out.back().dotted = true;
        else if (l->kind == "Text" && out.back().label.empty()) out.back().label = l->text();
        else if (l->kind == "Text") {
            out.back().time += l->text();
            out.back().timeColor = l->attr("color");
        }
    }
    return out;
}

TEST(World, ThreeColumnsAtMostSharingTheWidth) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 12, 0, 0, "UTC");
    const auto ctx = test::clockContext(Numerals::mono);
    const std::vector<std::string> five{"Europe/London", "America/New_York", "Asia/Tokyo", "Asia/Dubai", "UTC"};
    const auto three = columnsOf(ClockWorld{d, five, 0, ctx}, {344, 160});
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0].label, "LONDON");
    EXPECT_EQ(three[1].label, "NEW YORK");
    EXPECT_EQ(three[2].label, "TOKYO");
    EXPECT_EQ(three[1].time, "07:00");
    for (const auto& c : three) EXPECT_NEAR(c.width, (344 - 56) / 3.0, 0.01);
    EXPECT_NEAR(three[0].x, 28, 0.01);

    const auto two = columnsOf(ClockWorld{d, {five[0], five[1]}, 0, ctx}, {344, 160});
    ASSERT_EQ(two.size(), 2u);
    for (const auto& c : two) EXPECT_NEAR(c.width, (344 - 56) / 2.0, 0.01);

    // No zones: only the rule, all of its dots in the track colour.
    const auto empty = test::dumpLines(ClockWorld{d, {}, 0, ctx}, {344, 160});
    EXPECT_TRUE(test::ofKind(empty, "Text").empty());
    const auto dots = test::ofKind(empty, "Circle");
    EXPECT_EQ(dots.size(), 24u); // (288 + 2.4) / 12
    for (const auto& dot : dots) EXPECT_EQ(dot.attr("fill"), test::hex(ctx.pal.track));
}

TEST(World, HomeColumnIsDottedOthersDimmed) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 12, 0, 0, "UTC");
    const auto ctx = test::clockContext(Numerals::mono, Labels::systemSans);
    const std::vector<std::string> zones{"Europe/London", "America/New_York", "Asia/Tokyo"};
    for (const int home : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE(home);
        const auto lines = test::dumpLines(ClockWorld{d, zones, home, ctx}, {344, 160});
        const auto cols = columnsOf(ClockWorld{d, zones, home, ctx}, {344, 160});
        ASSERT_EQ(cols.size(), 3u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(cols[i].dotted, i == home) << i;
        const auto texts = test::ofKind(lines, "Text");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(texts[2 * i].attr("color"), test::hex(i == home ? ctx.pal.ink : ctx.pal.inkDim)) << i;
        EXPECT_EQ(cols[1].label, "New York");
    }
}

TEST(CityFaces, DayFromSevenToNineteenInEachCitysOwnHour) {
    test::ClockSetting setting(24);
    const auto ctx = test::clockContext(Numerals::mono);
    const std::string night = test::hex(ctx.pal.ink.opacity(ClockWorld::kNightOpacity));
    const std::string day = test::hex(ctx.pal.ink);
    struct Case {
        int hour, minute;
        bool day;
    };
    const Case cases[] = {{6, 59, false}, {7, 0, true}, {12, 0, true}, {19, 59, true}, {20, 0, false}, {0, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
        const Date d = time::dateFrom(2026, 1, 5, c.hour, c.minute, 0, "Asia/Kolkata");
        const auto cols = columnsOf(ClockWorld{d, {"Asia/Kolkata"}, 0, ctx}, {344, 160});
        ASSERT_EQ(cols.size(), 1u);
        EXPECT_EQ(cols[0].timeColor, c.day ? day : night);
        const std::string status = ClockDual{d, "Asia/Kolkata", "UTC", ctx}.statusText("Asia/Kolkata");
        EXPECT_EQ(status, std::string("GMT+5:30 \u00B7 ") + (c.day ? "Day" : "Night"));
    }
    // One instant, day in New York and night in Tokyo.
    const Date d = time::dateFrom(2026, 1, 5, 10, 0, 0, "America/New_York");
    const auto cols = columnsOf(ClockWorld{d, {"America/New_York", "Asia/Tokyo"}, 0, ctx}, {344, 160});
    ASSERT_EQ(cols.size(), 2u);
    EXPECT_EQ(cols[0].timeColor, day);
    EXPECT_EQ(cols[1].timeColor, night);
}

TEST(Dual, HomeAndAwayColumnsSplitByAHairline) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 4, 0, 0, "UTC"); // 13:00 in Tokyo, 20:00 in Los Angeles
    for (const double u : {1.0, 2.0}) {
        SCOPED_TRACE(u);
        const auto ctx = test::clockContext(Numerals::dotMatrix, Labels::monoCaps, u);
        const auto lines = test::dumpLines(ClockDual{d, "Asia/Tokyo", "America/Los_Angeles", ctx}, {344 * u, 160 * u});
        EXPECT_EQ(test::textsOf(ClockDual{d, "Asia/Tokyo", "America/Los_Angeles", ctx}, {344 * u, 160 * u}),
                  (std::vector<std::string>{"HOME", "13", "00", "GMT+9 \u00B7 DAY", "LOS ANGELES", "20", "00",
                                            "GMT-8 \u00B7 NIGHT"}));
        // The divider: 1 point wide at every size, 24 from top and bottom.
        std::vector<test::DumpLine> rules;
        for (const auto& r : test::ofKind(lines, "Rectangle"))
            if (r.attr("fill") == test::hex(ctx.pal.hairline)) rules.push_back(r);
        ASSERT_EQ(rules.size(), 1u);
        EXPECT_NEAR(rules[0].width, 1, 0.001);
        EXPECT_NEAR(rules[0].y, 24 * u, 0.01);
        EXPECT_NEAR(rules[0].height, 112 * u, 0.01);
        // Only the away label has a dot; both columns start 28 after their edge.
        const auto dots = test::ofKind(lines, "Circle");
        ASSERT_EQ(dots.size(), 1u);
        EXPECT_EQ(dots[0].attr("fill"), test::hex(ctx.pal.accent));
        EXPECT_GT(dots[0].x, rules[0].x);
        EXPECT_NEAR(dots[0].x, rules[0].x + 1 + 28 * u, 0.01);
        const auto texts = test::ofKind(lines, "Text");
        EXPECT_NEAR(texts[0].x, 28 * u, 0.01);
        EXPECT_EQ(texts[3].attr("color"), test::hex(ctx.pal.inkFaint));
    }
}

TEST(Dual, OffsetLabelsAtTheEntrysDate) {
    test::ClockSetting setting(24);
    const Date change = time::dateFrom(2026, 3, 29, 1, 0, 0, "UTC"); // London moves to GMT+1
    test::FakeClock clock(change - 2 * 3600);
    const auto ctx = test::clockContext();
    EXPECT_EQ(ClockDual({change - 60, "Europe/London", "UTC", ctx}).statusText("Europe/London"), "GMT+0 \u00B7 Night");
    EXPECT_EQ(ClockDual({change + 5 * 3600, "Europe/London", "UTC", ctx}).statusText("Europe/London"),
              "GMT+1 \u00B7 Day");
}

} // namespace
} // namespace plyx
