#include "platform/time/Time.h"
#include "shared/views/stopwatch/StopwatchView.h"
#include "shared/views/stopwatch/WaterView.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace plyx;
using test::hex;

namespace {

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kWide{200, 160};
const Date kNow = Date::fromUnix(1778180400);

} // namespace

TEST(StopwatchView, LapTextRoundsToTenthsBeforeSplittingMinutes) {
    const std::pair<double, const char*> cases[] = {
        {75.3, "01:15.3"}, {9.46, "00:09.5"},  {18.5, "00:18.5"},   {65.0, "01:05.0"}, {0, "00:00.0"},
        {59.96, "01:00.0"}, // once "00:60.0"
        {59.94, "00:59.9"}, {119.95, "02:00.0"}, {3600, "60:00.0"}, {3599.99, "60:00.0"}, {6000, "100:00.0"},
        // Laps out of order (the clock was set back) read as a negative time, not "00:-5.3".
        {-5.3, "\u221200:05.3"}, {-59.96, "\u221201:00.0"},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(StopwatchView::lapText(seconds), text) << seconds;
}

TEST(StopwatchView, LapLabelIsTheLastLapLessTheOneBefore) {
    const auto ctx = test::viewContext();
    const std::pair<std::vector<double>, const char*> cases[] = {
        {{}, ""}, {{65.0}, "01:05.0"}, {{12.0, 30.5}, "00:18.5"}, {{10, 20, 79.96}, "01:00.0"}};
    for (const auto& [laps, label] : cases) EXPECT_EQ((StopwatchView{{kNow, laps}, ctx}.lapLabel()), label);
}

TEST(StopwatchView, StatesShowTimeDotAndBottomLine) {
    const auto ctx = test::viewContext();
    struct Case {
        const char* name;
        StopwatchState state;
        std::vector<std::string> texts;
        bool accentDot;
    };
    const Case cases[] = {
        {"stopped", {std::nullopt, {}}, {"STOPWATCH", "00:00", "TAP TO START"}, false},
        {"running", {kNow - 287.3, {}}, {"STOPWATCH", "4:47", "TAP TO LAP"}, true},
        {"an hour in", {kNow - 3725, {}}, {"STOPWATCH", "62:05", "TAP TO LAP"}, true},
        {"with laps", {kNow - 40, {12.0, 30.5}}, {"STOPWATCH", "0:40", "LAP 2 \u00b7 RESET", "00:18.5"}, true},
        // Laps left over after a stop still offer the reset.
        {"stopped with a lap", {std::nullopt, {65.0}}, {"STOPWATCH", "00:00", "LAP 1 \u00b7 RESET", "01:05.0"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A little wider than the design size: in capitals "LAP 2 · RESET" and
        // the lap share the 116 points of a small widget and the caption is cut.
        const auto lines = test::dumpLines(StopwatchView{c.state, ctx}.body(), kWide, test::at(kNow));
        EXPECT_EQ(test::texts(lines), c.texts) << ui::dump(StopwatchView{c.state, ctx}.body(), kWide, test::at(kNow));
        EXPECT_EQ(test::circleFills(lines), std::vector<std::string>{hex(c.accentDot ? ctx.pal.accent : ctx.pal.inkFaint)});
        const auto* time = test::textLine(lines, c.texts[1]);
        ASSERT_NE(time, nullptr);
        EXPECT_EQ(time->attr("color"), hex(ctx.pal.ink));
        EXPECT_NEAR(time->y, 20 + 9 + 12, 3); // under the caption, 12 down
        // The bottom line rests on the bottom inset; the last lap ends at the right inset.
        const auto* last = test::textLine(lines, c.texts.back());
        EXPECT_NEAR(last->y + last->height, 160 - 20, 0.01);
        if (c.texts.size() == 4) {
            EXPECT_NEAR(last->x + last->width, kWide.width - 22, 0.01);
            EXPECT_EQ(last->attr("color"), hex(ctx.pal.ink));
        }
    }
}

TEST(StopwatchView, RunningTimeCountsAtEveryRepaintWithoutANewView) {
    const auto body = StopwatchView{{kNow, {}}, test::viewContext()}.body();
    for (const auto& [after, text] : std::vector<std::pair<double, const char*>>{{0, "0:00"}, {1.2, "0:01"}, {61, "1:01"}})
        EXPECT_NE(test::textLine(test::dumpLines(body, kSmall, test::at(kNow + after)), text), nullptr) << after;
}

TEST(StopwatchView, ResetSitsInsideTheToggleAndWinsWhereItIsTapped) {
    const auto ctx = test::viewContext();
    const auto rendered = ui::render(StopwatchView{{kNow, {12.0, 30.5}}, ctx}.body(), kSmall, 1, test::at(kNow));
    ASSERT_EQ(rendered.hits.size(), 2u);
    const ui::Hit* reset = nullptr;
    for (const auto& h : rendered.hits)
        if (h.payload == StopwatchView::resetAction()) reset = &h;
    ASSERT_NE(reset, nullptr);
    const auto* onReset = ui::hitTest(rendered.hits, {reset->rect.x + 2, reset->rect.y + reset->rect.height / 2});
    ASSERT_NE(onReset, nullptr);
    EXPECT_EQ(onReset->payload, StopwatchView::resetAction());
    const auto* elsewhere = ui::hitTest(rendered.hits, {80, 40});
    ASSERT_NE(elsewhere, nullptr);
    EXPECT_EQ(elsewhere->payload, StopwatchView::toggleAction());
    // Without laps there is only the toggle.
    EXPECT_EQ(ui::render(StopwatchView{{kNow, {}}, ctx}.body(), kSmall, 1, test::at(kNow)).hits.size(), 1u);
}

TEST(WaterView, LitresDropWholeDecimals) {
    const std::pair<std::int64_t, const char*> cases[] = {{0, "0L"}, {6, "1.50L"}, {8, "2L"}, {10, "2.50L"},
                                                          {1, "0.25L"}, {3, "0.75L"}, {400, "100L"}};
    for (const auto& [glasses, text] : cases) EXPECT_EQ(WaterView::litresText(glasses), text) << glasses;
}

TEST(WaterView, GlassGridFollowsTheGoalInRowsOfFour) {
    const auto ctx = test::viewContext();
    const std::string full = hex(ctx.pal.fill);
    struct Case {
        CounterSnapshot data;
        std::vector<int> rowLengths;
        int fullGlasses;
        const char *litres, *count;
    };
    const Case cases[] = {
        {{3, 8}, {4, 4}, 3, "0.75L", "3 OF 8 GLASSES"},
        {{0, 10}, {4, 4, 2}, 0, "0L", "0 OF 10 GLASSES"},
        {{1, 1}, {1}, 1, "0.25L", "1 OF 1 GLASSES"},
        {{10, 8}, {4, 4}, 8, "2.50L", "8 OF 8 GLASSES"}, // drinks past the goal are not drawn
        {{2, 0}, {}, 0, "0.50L", "0 OF 0 GLASSES"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        const auto lines = test::dumpLines(WaterView{c.data, ctx}.body(), kSmall);
        EXPECT_EQ(test::texts(lines), (std::vector<std::string>{"WATER", c.litres, c.count}));
        // Glasses by row: rows are told apart by their top edge.
        std::vector<int> rows;
        double lastY = -1;
        int fullCount = 0, empty = 0;
        for (const auto& l : test::ofKind(lines, "Circle")) {
            if (l.y != lastY) rows.push_back(0), lastY = l.y;
            ++rows.back();
            EXPECT_NEAR(l.width, 20, 0.01);
            if (l.attr("fill") == full) ++fullCount;
            if (l.attr("strokeBorder") == hex(ctx.pal.track)) ++empty;
        }
        EXPECT_EQ(rows, c.rowLengths);
        EXPECT_EQ(fullCount, c.fullGlasses);
        EXPECT_EQ(fullCount + empty, std::accumulate(c.rowLengths.begin(), c.rowLengths.end(), 0));
    }
}

TEST(WaterView, TheWholeWidgetLogsAGlass) {
    const auto rendered = ui::render(WaterView{{3, 8}, test::viewContext()}.body(), kSmall, 1, {});
    ASSERT_EQ(rendered.hits.size(), 1u);
    EXPECT_EQ(ui::hitTest(rendered.hits, {80, 150})->payload, WaterView::action());
}
