#include "shared/views/screentime/Hm.h"
#include "shared/views/screentime/ScreenTimeApps.h"
#include "shared/views/screentime/ScreenTimeElapsed.h"
#include "shared/views/screentime/ScreenTimeTotal.h"
#include "shared/views/screentime/ScreenTimeWeekly.h"

#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace plyx;
using test::DumpLine;

namespace {


UsageSnapshot usage(std::int64_t total, std::int64_t budget) {
    UsageSnapshot s;
    s.totalMinutes = total;
    s.budgetMinutes = budget;
    return s;
}

int circlesFilled(const std::vector<DumpLine>& lines, const ui::Color& c) {
    const auto want = test::hex(c);
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const DumpLine& l) { return l.kind == "Circle" && l.attr("fill") == want; }));
}


bool mentionsNaN(const std::vector<DumpLine>& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const DumpLine& l) {
        return !std::isfinite(l.x) || !std::isfinite(l.width) || l.attrs.find("nan") != std::string::npos;
    });
}

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};

} // namespace

TEST(Hm, MinutesAsHoursAndMinutes) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0M"}, {59, "59M"}, {60, "1H"}, {61, "1H 1M"}, {125, "2H 5M"}, {600, "10H"}, {-30, "-30M"}, {-90, "-1H -30M"},
    };
    for (const auto& [minutes, want] : cases) EXPECT_EQ(hm(minutes), want) << minutes;
}

TEST(ScreenTimeTotal, BarAndStatusUnderAtAndOverTheBudget) {
    struct Case {
        std::int64_t total, budget;
        double fraction, over;
        const char* status;
        bool accentStatus;
    };
    const Case cases[] = {
        {90, 120, 0.75, 0, "30M left today", false},
        {150, 120, 0.8, 0.2, "30M over limit", true},
        {120, 120, 1, 0, "0M left today", false},
        // A fresh install: nothing used, no budget. An empty bar, not 0 / 0.
        {0, 0, 0, 0, "0M left today", false},
    };
    const auto ctx = test::viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        const auto data = usage(c.total, c.budget);
        const auto s = ScreenTimeTotal::shares(data);
        EXPECT_DOUBLE_EQ(s.fraction, c.fraction);
        EXPECT_DOUBLE_EQ(s.overFraction, c.over);
        EXPECT_EQ(ScreenTimeTotal::status(data), c.status);

        const auto lines = test::dumpLines(ScreenTimeTotal{data, ctx}.body(), kSmall);
        EXPECT_FALSE(mentionsNaN(lines));
        std::string upper = c.status;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        const auto* status = test::textLine(lines, upper);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->attr("color"), test::hex(c.accentStatus ? ctx.pal.accent : ctx.pal.inkDim));
        const int dots = int(test::ofKind(lines, "Circle").size());
        ASSERT_GT(dots, 0);
        EXPECT_EQ(circlesFilled(lines, ctx.pal.fill), std::lround(c.fraction * dots));
        EXPECT_EQ(circlesFilled(lines, ctx.pal.accent), std::lround(c.over * dots));
    }
}

TEST(ScreenTimeElapsed, PercentAndDotsOfTheBudget) {
    struct Case {
        std::int64_t total, budget, percent;
        int dots;
    };
    const Case cases[] = {
        {30, 120, 25, 18}, // 17.5 dots round up
        {200, 120, 100, 70},
        {0, 0, 100, 70},
        {0, 120, 0, 0},
    };
    const auto ctx = test::viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " of " + std::to_string(c.budget));
        const auto data = usage(c.total, c.budget);
        EXPECT_EQ(ScreenTimeElapsed::percent(data), c.percent);
        EXPECT_EQ(ScreenTimeElapsed::filledDots(data), c.dots);
        const auto lines = test::dumpLines(ScreenTimeElapsed{data, ctx}.body(), kSmall);
        EXPECT_NE(test::textLine(lines, std::to_string(c.percent) + "%"), nullptr);
        EXPECT_EQ(circlesFilled(lines, ctx.pal.fill), c.dots);
        EXPECT_EQ(circlesFilled(lines, ctx.pal.track), 70 - c.dots);
    }
}

TEST(ScreenTimeApps, ThreeRowsMeasuredAgainstTheLargestOfAll) {
    auto data = usage(0, 0);
    data.apps = {{"Editor", 50, false}, {"Browser", 100, false}, {"Mail", 25, true}, {"Chat", 200, false},
                 {"Terminal", 10, false}};
    EXPECT_DOUBLE_EQ(ScreenTimeApps::barFraction(data, data.apps[1]), 0.5 * 0.74);
    EXPECT_DOUBLE_EQ(ScreenTimeApps::barFraction(data, data.apps[3]), 0.74);

    const auto ctx = test::viewContext();
    const auto lines = test::dumpLines(ScreenTimeApps{data, ctx}.body(), kMedium);
    EXPECT_NE(test::textLine(lines, "EDITOR"), nullptr);
    EXPECT_EQ(test::textLine(lines, "CHAT"), nullptr); // fourth: not shown
    ASSERT_NE(test::textLine(lines, "MAIL"), nullptr);
    EXPECT_EQ(test::textLine(lines, "MAIL")->attr("color"), test::hex(ctx.pal.accent));
    EXPECT_EQ(test::textLine(lines, "25M")->attr("color"), test::hex(ctx.pal.accent));
    EXPECT_EQ(test::textLine(lines, "EDITOR")->attr("color"), test::hex(ctx.pal.ink));
    EXPECT_EQ(test::textLine(lines, "50M")->attr("color"), test::hex(ctx.pal.inkDim));
    EXPECT_GT(circlesFilled(lines, ctx.pal.accent), 0);

    // A very long name is cut to its column and leaves the bar and the time in place.
    auto longName = usage(0, 0);
    longName.apps = {{"An Application With A Remarkably Long Name Indeed", 90, false}, {"Mail", 30, false}};
    const auto longLines = test::dumpLines(ScreenTimeApps{longName, ctx}.body(), kMedium);
    const auto longTexts = test::ofKind(longLines, "Text");
    ASSERT_FALSE(longTexts.empty());
    const auto* name = &longTexts.front();
    EXPECT_NE(name->text().find("…"), std::string::npos) << *name;
    EXPECT_LE(name->width, 70.0 + 0.01);
    ASSERT_NE(test::textLine(longLines, "1H 30M"), nullptr);
    EXPECT_LE(test::textLine(longLines, "1H 30M")->x + test::textLine(longLines, "1H 30M")->width, 344 - 26 + 0.01);

    // Applications without minutes: empty bars.
    auto idle = usage(0, 0);
    idle.apps = {{"Editor", 0, false}, {"Mail", 0, true}};
    EXPECT_EQ(ScreenTimeApps::barFraction(idle, idle.apps[0]), 0.0);
    const auto idleLines = test::dumpLines(ScreenTimeApps{idle, ctx}.body(), kMedium);
    EXPECT_FALSE(mentionsNaN(idleLines));
    EXPECT_EQ(circlesFilled(idleLines, ctx.pal.fill) + circlesFilled(idleLines, ctx.pal.accent), 0);
}

TEST(ScreenTimeWeekly, AverageTruncatesAndBarsAreColouredByDay) {
    const auto ctx = test::viewContext();
    auto data = usage(0, 0);
    data.week = {{"Mon", 0, false, false}, {"Tue", 61, false, true}, {"Wed", 30, true, false}};
    EXPECT_EQ(ScreenTimeWeekly::average(data), 30);
    const auto bars = ScreenTimeWeekly{data, ctx}.bars();
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].color, ui::Color::grey255(76));
    EXPECT_EQ(bars[1].color, ctx.pal.fill);
    EXPECT_DOUBLE_EQ(bars[1].value, 1.0);
    EXPECT_EQ(bars[2].color, ctx.pal.accent);
    EXPECT_EQ(bars[2].labelColor, ctx.pal.accent);
    EXPECT_DOUBLE_EQ(bars[2].value, 30.0 / 61.0);
    EXPECT_NE(test::textLine(test::dumpLines(ScreenTimeWeekly{data, ctx}.body(), kMedium), "30M"), nullptr);

    // A day both today and the busiest is drawn as today.
    data.week = {{"Mon", 10, false, false}, {"Tue", 20, true, true}};
    EXPECT_EQ((ScreenTimeWeekly{data, ctx}.bars()[1].color), ctx.pal.accent);

    // No week, or a week of zeros: average 0, bars empty rather than 0 / 0.
    data.week.clear();
    EXPECT_EQ(ScreenTimeWeekly::average(data), 0);
    data.week = {{"Mon", 0, false, false}, {"Tue", 0, true, false}};
    for (const auto& b : ScreenTimeWeekly{data, ctx}.bars()) EXPECT_EQ(b.value, 0.0);
    const auto zeros = test::dumpLines(ScreenTimeWeekly{data, ctx}.body(), kMedium);
    EXPECT_FALSE(mentionsNaN(zeros));
    EXPECT_NE(test::textLine(zeros, "0M"), nullptr);
}
