#include "platform/time/Time.h"
#include "shared/views/focus/CountdownView.h"
#include "shared/views/focus/FocusView.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

using namespace plyx;
using test::hex;

namespace {

constexpr ui::Size kSmall{160, 160};
const std::string kDash = "\u2014";

Date utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return time::dateFrom(y, mo, d, h, mi, s, "UTC"); }

struct ZoneScope {
    explicit ZoneScope(const std::string& zone) { time::setCurrentZone(zone); }
    ~ZoneScope() { time::setCurrentZone("UTC"); }
};

// The trim of the ring's progress arc (the circle stroked in the fill
// colour); the dump leaves out a trim of the whole circle.
std::string ringTrim(const std::vector<test::DumpLine>& lines) {
    for (const auto& c : test::ofKind(lines, "Circle"))
        if (c.attr("stroke") == hex(test::viewContext().pal.fill)) return c.attr("trim").empty() ? "0,1" : c.attr("trim");
    return "none";
}

} // namespace

TEST(CountdownView, CountsCalendarDaysFromTodayAndNeverBelowZero) {
    struct Case {
        const char* name;
        const char* zone;
        Date now, target;
        std::int64_t days;
    };
    const Case cases[] = {
        {"later today", "UTC", utc(2026, 12, 24, 8), utc(2026, 12, 24, 23, 59), 0},
        {"tomorrow just after midnight", "UTC", utc(2026, 12, 24, 23, 59), utc(2026, 12, 25, 0, 30), 1},
        {"in two days", "UTC", utc(2026, 12, 24, 12), utc(2026, 12, 26, 1), 2},
        {"past", "UTC", utc(2026, 12, 24, 12), utc(2026, 11, 1), 0},
        {"over a year end", "UTC", utc(2026, 12, 31, 23), utc(2027, 1, 1, 0), 1},
        // Local days: 23:30 in New York is already tomorrow in UTC.
        {"local day", "America/New_York", utc(2026, 12, 25, 4, 30), utc(2026, 12, 25, 5, 30), 1},
        // The spring-forward day is 23 hours long and still one day.
        {"across a clock change", "Europe/Paris", utc(2026, 3, 28, 12), utc(2026, 3, 30, 0, 30), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ZoneScope zone(c.zone);
        EXPECT_EQ(CountdownView::daysLeft(c.target, c.now), c.days);
    }
}

TEST(CountdownView, ShowsTheCountItsUnitAndTheDateOrAsksForOne) {
    const Date now = utc(2026, 12, 24, 23, 59);
    struct Case {
        std::optional<Date> target;
        ThemeSettings::LabelStyle labels;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {utc(2026, 12, 25, 15), ThemeSettings::LabelStyle::monoCaps,
         {"LAUNCH", "1", "DAY LEFT", "DEC 25 \u00b7 3PM"}},
        {utc(2026, 12, 24, 9), ThemeSettings::LabelStyle::monoCaps,
         {"LAUNCH", "0", "DAYS LEFT", "DEC 24 \u00b7 9AM"}},
        {utc(2026, 12, 26, 9), ThemeSettings::LabelStyle::systemSans,
         {"Launch", "2", "Days left", "DEC 26 \u00b7 9AM"}}, // the view upper-cases the date itself
        {std::nullopt, ThemeSettings::LabelStyle::systemSans, {"Launch", kDash, "Days left", "Set a date"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts[1]);
        const auto ctx = test::viewContext(c.labels);
        const auto lines = test::dumpLines(CountdownView{"Launch", c.target, ctx}.body(), kSmall, test::at(now));
        EXPECT_EQ(test::texts(lines), c.texts);
        const auto* count = test::textLine(lines, c.texts[1]);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count->attr("size"), "64");
        EXPECT_EQ(count->attr("color"), hex(ctx.pal.ink));
        // The date line sits at the bottom (the 64-point figure's line height
        // overfills the card by a point or so), in the faint ink.
        const auto* date = test::textLine(lines, c.texts[3]);
        EXPECT_NEAR(date->y + date->height, 160 - 20, 1.5);
        EXPECT_EQ(date->attr("color"), hex(ctx.pal.inkFaint));
        // The name's dot in the accent colour.
        EXPECT_EQ(test::circleFills(lines), std::vector<std::string>{hex(ctx.pal.accent)});
    }
}

TEST(CountdownView, AWideCountShrinksOnOneLine) {
    const Date now = utc(2026, 1, 1);
    const auto lines = test::dumpLines(CountdownView{"Far", utc(2031, 1, 1), test::viewContext()}.body(), kSmall,
                                       test::at(now));
    const auto* count = test::textLine(lines, "1826");
    ASSERT_NE(count, nullptr);
    const double size = std::stod(count->attr("size"));
    EXPECT_LT(size, 64);
    EXPECT_GE(size, 64 * 0.55 - 0.01);
}

TEST(FocusView, RingTextAndStatusFollowTheSessionAtTheRenderMoment) {
    const Date now = utc(2026, 5, 7, 9);
    struct Case {
        const char* name;
        FocusSession state;
        std::string trim, time, status;
        bool live;
    };
    const Case cases[] = {
        {"never started", {std::nullopt, 25}, "0,1", "25:00", "START", false},
        {"five minutes into 25", {now + 20 * 60, 25}, "0,0.8", "20:00", "LIVE", true},
        {"ended just now", {now, 25}, "0,1", "25:00", "START", false},
        {"ended a minute ago", {now - 60, 5}, "0,1", "5:00", "START", false},
        {"zero minutes", {now + 30, 0}, "0,1", "0:30", "LIVE", true},
        {"negative minutes", {now + 30, -5}, "0,0", "0:30", "LIVE", true},
        {"longer than its length", {now + 3600, 25}, "0,1", "60:00", "LIVE", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto ctx = test::viewContext();
        const auto lines = test::dumpLines(FocusView{c.state, ctx}.body(), kSmall, test::at(now));
        EXPECT_EQ(test::texts(lines), (std::vector<std::string>{"FOCUS", c.time, c.status}));
        EXPECT_EQ(ringTrim(lines), c.trim);
        const auto fills = test::circleFills(lines);
        ASSERT_FALSE(fills.empty());
        EXPECT_EQ(fills.back(), hex(c.live ? ctx.pal.accent : ctx.pal.inkFaint));
        EXPECT_EQ((FocusView{c.state, ctx}.isRunning(now)), c.live);
    }
}

TEST(FocusView, TheLiveTextMovesWithTheRenderMomentAlone) {
    const Date start = utc(2026, 5, 7, 9);
    const FocusView view{{start + 25 * 60, 25}, test::viewContext()};
    const auto body = view.body(); // one view, drawn at three moments
    const std::pair<double, const char*> moments[] = {{0, "25:00"}, {1, "24:59"}, {25 * 60 - 0.5, "0:01"}};
    for (const auto& [after, text] : moments) {
        const auto lines = test::dumpLines(body, kSmall, test::at(start + after));
        EXPECT_NE(test::textLine(lines, text), nullptr) << after << "\n" << ui::dump(body, kSmall, test::at(start + after));
    }
    // The ring follows the render moment too.
    EXPECT_EQ(ringTrim(test::dumpLines(body, kSmall, test::at(start + 5 * 60))), "0,0.8");
}

TEST(FocusView, TheWholeWidgetIsTheToggleButton) {
    const auto rendered = ui::render(FocusView{{std::nullopt, 25}, test::viewContext()}.body(), kSmall, 1, {});
    for (const ui::Point p : {ui::Point{2, 2}, ui::Point{80, 80}, ui::Point{158, 158}}) {
        const auto* hit = ui::hitTest(rendered.hits, p);
        ASSERT_NE(hit, nullptr);
        EXPECT_EQ(hit->payload, FocusView::action());
    }
}
