#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/clock/ClockMatrixSmall.h"
#include "shared/views/clock/ClockStacked.h"
#include "tests/shared/views/clock/ClockTestContext.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using Labels = ThemeSettings::LabelStyle;
using Numerals = ThemeSettings::NumeralStyle;

TEST(MatrixSmall, PlaceCaptionTimeAndDate) {
    test::ClockSetting setting(12); // one-digit hours: the time fits at its full size
    struct Case {
        std::optional<std::string> place;
        const char* zone;
        Labels labels;
        const char* caption;
    };
    const Case cases[] = {
        {"Los Angeles", "America/Los_Angeles", Labels::monoCaps, "LOS ANGELES"},
        {"Los Angeles", "America/Los_Angeles", Labels::systemSans, "Los Angeles"},
        {std::nullopt, "America/Argentina/Buenos_Aires", Labels::monoCaps, "BUENOS AIRES"},
        {std::nullopt, "America/New_York", Labels::systemSans, "New York"},
        {std::nullopt, "GMT", Labels::monoCaps, "GMT"},
        // The caption is shown as given, even when it is not the zone's city.
        {"Home", "Asia/Tokyo", Labels::systemSans, "Home"},
    };
    const Date d = time::dateFrom(2026, 1, 5, 9, 0, 0, "UTC"); // Monday, one-digit hours in every zone above
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const auto ctx = test::clockContext(Numerals::dotMatrix, c.labels);
        const auto lines = test::dumpLines(ClockMatrixSmall{d, c.zone, c.place, ctx}, {160, 160});
        const auto texts = test::ofKind(lines, "Text");
        ASSERT_EQ(texts.size(), 4u); // place, hours, minutes, date
        EXPECT_EQ(texts[0].text(), c.caption);
        EXPECT_EQ(texts[0].attr("color"), test::hex(ctx.pal.inkDim));
        EXPECT_EQ(texts[1].attr("size"), "44");
        EXPECT_EQ(texts[1].attr("color"), test::hex(ctx.pal.ink));
        EXPECT_EQ(texts[3].attr("color"), test::hex(ctx.pal.ink));
        // Everything starts 22 from the left edge.
        for (const auto& t : {texts[0], texts[1]}) EXPECT_NEAR(t.x, 22, 0.01);
        const auto dot = test::ofKind(lines, "Circle");
        ASSERT_EQ(dot.size(), 1u);
        EXPECT_EQ(dot[0].attr("fill"), test::hex(ctx.pal.accent));
        EXPECT_NEAR(dot[0].x, 22, 0.01);
    }
    EXPECT_EQ((ClockMatrixSmall{d, "UTC", std::nullopt, test::clockContext()}.dateText()), "Mon, Jan 5");
    time::setCurrentLocale("de_DE");
    EXPECT_EQ((ClockMatrixSmall{d, "UTC", std::nullopt, test::clockContext()}.dateText()), "Mo., 5. Jan.");
}

// The whole face reads its own zone: time, minutes and date, whatever the
// current zone is.
TEST(MatrixFaces, EveryPartOfTheTimeInTheFacesZone) {
    test::ClockSetting setting(24);
    time::setCurrentZone("America/New_York");
    // 23:30 on Monday in New York is 13:30 on Tuesday in Tokyo; 09:05 UTC is 14:35 in Kolkata.
    const Date evening = time::dateFrom(2026, 1, 5, 23, 30, 0, "America/New_York");
    const auto ctx = test::clockContext(Numerals::dotMatrix);
    EXPECT_EQ(test::textsOf(ClockMatrixSmall{evening, "Asia/Tokyo", std::nullopt, ctx}, {160, 160}),
              (std::vector<std::string>{"TOKYO", "13", "30", "TUE, JAN 6"}));
    EXPECT_EQ(test::textsOf(ClockMatrixMedium{evening, "Asia/Tokyo", ctx}, {344, 160}),
              (std::vector<std::string>{"13", "30", "TUESDAY, JANUARY 6", "30", "HOUR"}));

    const Date morning = time::dateFrom(2026, 1, 5, 9, 5, 0, "UTC");
    const ClockMatrixMedium kolkata{morning, "Asia/Kolkata", ctx};
    EXPECT_EQ(kolkata.minute(), 35);
    EXPECT_EQ(test::textsOf(kolkata, {344, 160}),
              (std::vector<std::string>{"14", "35", "MONDAY, JANUARY 5", "35", "HOUR"}));
}

TEST(MatrixMedium, HourBarHoldsSevenDotsLitByTheMinute) {
    struct Case {
        int minute, lit;
    };
    const Case cases[] = {{0, 0}, {4, 0}, {5, 1}, {12, 1}, {13, 2}, {21, 2}, {22, 3}, {30, 4},
                          {38, 4}, {39, 5}, {47, 5}, {48, 6}, {55, 6}, {56, 7}, {59, 7}};
    for (const double u : {1.0, 1.5}) {
        const auto ctx = test::clockContext(Numerals::mono, Labels::monoCaps, u);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.minute) + " at u " + std::to_string(u));
            const Date d = time::dateFrom(2026, 1, 5, 10, c.minute, 0, "UTC");
            const auto lines = test::dumpLines(ClockMatrixMedium{d, "UTC", ctx}, {344 * u, 160 * u});
            int accent = 0, track = 0;
            for (const auto& dot : test::ofKind(lines, "Circle")) {
                if (dot.attr("fill") == test::hex(ctx.pal.accent) && std::abs(dot.width - 5 * u) < 0.01) ++accent;
                if (dot.attr("fill") == test::hex(ctx.pal.track)) ++track;
            }
            // One more accent circle: the date caption's dot.
            EXPECT_EQ(accent - 1, c.lit);
            EXPECT_EQ(track, 7 - c.lit);
            const auto texts = test::ofKind(lines, "Text");
            ASSERT_EQ(texts.size(), 4u);
            char mm[4];
            std::snprintf(mm, sizeof mm, "%02d", c.minute);
            EXPECT_EQ(texts[2].text(), mm);
            EXPECT_EQ(texts[2].attr("color"), test::hex(ctx.pal.inkFaint));
            // The columns keep 30 from each side.
            EXPECT_NEAR(texts[0].x, 30 * u, 0.01);
            EXPECT_NEAR(texts[2].x + texts[2].width, 314 * u, 0.01);
        }
    }
}

TEST(Stacked, HourOverMinutes) {
    struct Case {
        int hour, minute, form;
        std::vector<std::string> numerals;
    };
    const Case cases[] = {
        {9, 5, 12, {"9", "05"}}, {9, 5, 24, {"09", "05"}}, {21, 40, 12, {"9", "40"}}, {0, 30, 12, {"12", "30"}},
    };
    const auto ctx = test::clockContext(Numerals::dotMatrix);
    for (const auto& c : cases) {
        test::ClockSetting setting(c.form);
        const Date d = time::dateFrom(2026, 1, 5, c.hour, c.minute, 0, "UTC");
        const auto texts = test::ofKind(test::dumpLines(ClockStacked{d, "UTC", ctx}, {160, 160}), "Text");
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text(), c.numerals[0]);
        EXPECT_EQ(texts[1].text(), c.numerals[1]);
        EXPECT_EQ(texts[0].attr("color"), test::hex(ctx.pal.ink));
        EXPECT_EQ(texts[1].attr("color"), test::hex(ctx.pal.inkFaint));
        EXPECT_EQ(texts[0].attr("size"), "46");
        EXPECT_NEAR(texts[0].x, 30, 0.01);
        EXPECT_EQ(texts[2].text(), "GMT+0");
        EXPECT_EQ(texts[2].attr("color"), test::hex(ctx.pal.inkDim));
    }
}

TEST(Stacked, OffsetLabelAtTheEntrysDate) {
    test::ClockSetting setting(24);
    // New York moves from GMT-5 to GMT-4 at 07:00 UTC on 8 March 2026 and
    // back at 06:00 UTC on 1 November.
    const Date spring = time::dateFrom(2026, 3, 8, 7, 0, 0, "UTC");
    const Date autumn = time::dateFrom(2026, 11, 1, 6, 0, 0, "UTC");
    struct Case {
        const char* zone;
        Date date;
        const char* label;
    };
    const Case cases[] = {
        {"UTC", spring, "GMT+0"},
        {"Asia/Kolkata", spring, "GMT+5:30"},
        {"Pacific/Marquesas", spring, "GMT-9:30"},
        {"Asia/Tokyo", spring, "GMT+9"},
        {"America/New_York", spring - 60, "GMT-5"},
        {"America/New_York", spring, "GMT-4"},
        {"America/New_York", autumn - 60, "GMT-4"},
        {"America/New_York", autumn + 30 * 60, "GMT-5"},
    };
    // Views are built well before their entries, as a timeline's are.
    test::FakeClock clock(spring - 3600);
    const auto ctx = test::clockContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.label);
        const ClockStacked face{c.date, c.zone, ctx};
        EXPECT_EQ(face.gmtText(), c.label);
        const auto lines = test::dumpLines(face, {160, 160});
        const auto texts = test::ofKind(lines, "Text");
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[2].text(), c.label);
        // Laid out at the right edge, then turned a quarter clockwise.
        EXPECT_NEAR(texts[2].x + texts[2].width, 150, 0.01);
        ASSERT_EQ(test::ofKind(lines, "rotation").size(), 1u);
        EXPECT_EQ(test::ofKind(lines, "rotation")[0].attr("degrees"), "90");
    }
}

} // namespace
} // namespace plyx
