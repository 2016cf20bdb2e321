#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/views/calendar/CalendarAgenda.h"
#include "shared/views/calendar/CalendarBigDate.h"
#include "shared/views/calendar/CalendarDayEvents.h"
#include "shared/views/calendar/CalendarMonthGrid.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace plyx;
using test::DumpLine;
using test::hex;
using test::viewContext;

namespace {


Date noon(int y, int m, int d) { return time::dateFrom(y, m, d, 12, 0); }

std::vector<DumpLine> textLines(const std::vector<DumpLine>& lines) { return test::ofKind(lines, "Text"); }

std::vector<std::string> textsOf(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : textLines(lines)) out.push_back(l.text());
    return out;
}

const DumpLine* findText(const std::vector<DumpLine>& lines, const std::string& text) {
    for (const auto& l : lines)
        if (l.kind == "Text" && l.text() == text) return &l;
    return nullptr;
}

int countFill(const std::vector<DumpLine>& lines, const std::string& kind, const ui::Color& c) {
    int n = 0;
    for (const auto& l : lines)
        if (l.kind == kind && l.attr("fill") == hex(c)) ++n;
    return n;
}

EventItem event(std::string id, std::string start, std::optional<std::string> end, std::string title,
                std::optional<std::string> detail, bool past, bool next) {
    return {std::move(id), std::move(start), std::move(end), std::move(title), std::move(detail), past, next};
}

} // namespace

TEST(CalendarMonthGrid, DotsRunFromTheFirstOfTheMonthWithTodayHighlighted) {
    struct Case {
        Date date;
        const char* month;
        int day, rows;
        const char* left;
    };
    const Case cases[] = {
        {noon(2026, 3, 1), "MARCH", 1, 5, "30 DAYS LEFT"},      // a Sunday, still the first column
        {noon(2026, 3, 31), "MARCH", 31, 5, "0 DAYS LEFT"},
        {noon(2026, 2, 14), "FEBRUARY", 14, 4, "14 DAYS LEFT"},  // 28 days: four full rows
        {noon(2028, 2, 29), "FEBRUARY", 29, 5, "0 DAYS LEFT"},   // 29 days: six dots after the month
        {noon(2026, 4, 1), "APRIL", 1, 5, "29 DAYS LEFT"},       // a Wednesday
    };
    const auto ctx = viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.month) + " " + std::to_string(c.day));
        const auto lines = test::dumpLines(CalendarMonthGrid{c.date, ctx}.body(), {160, 160});
        EXPECT_EQ(textsOf(lines), (std::vector<std::string>{c.month, std::to_string(c.day), c.left}));
        const auto circles = test::ofKind(lines, "Circle");
        ASSERT_EQ(circles.size(), size_t(7 * c.rows));
        EXPECT_EQ(countFill(lines, "Circle", ctx.pal.accent), 1);
        EXPECT_EQ(countFill(lines, "Circle", ctx.pal.fill), c.day - 1);
        EXPECT_EQ(countFill(lines, "Circle", ctx.pal.track), 7 * c.rows - c.day);
        // The dots span exactly rows x 16; the highlighted one is dot day-1 in reading order.
        double top = 1e9, bottom = 0;
        for (const auto& l : circles) {
            top = std::min(top, l.y);
            bottom = std::max(bottom, l.y + l.height);
        }
        EXPECT_NEAR(bottom - top, c.rows * 16.0, 0.01);
        auto ordered = circles;
        std::stable_sort(ordered.begin(), ordered.end(), [](const DumpLine& a, const DumpLine& b) {
            return std::lround(a.y) != std::lround(b.y) ? a.y < b.y : a.x < b.x;
        });
        EXPECT_EQ(ordered[c.day - 1].attr("fill"), hex(ctx.pal.accent));
    }
}

TEST(CalendarMonthGrid, TheHighlightedDayIsDrawnLargerInTheAccent) {
    const auto ctx = viewContext();
    const auto view = CalendarMonthGrid{noon(2026, 3, 10), ctx}.body();
    const auto lines = test::dumpLines(view, {160, 160});
    const auto circles = test::ofKind(lines, "Circle");
    const auto today = std::find_if(circles.begin(), circles.end(),
                                    [&](const DumpLine& l) { return l.attr("fill") == hex(ctx.pal.accent); });
    ASSERT_NE(today, circles.end());
    const auto image = test::renderImage(view, {160, 160});
    const double cx = today->x + today->width / 2, cy = today->y + today->height / 2;
    EXPECT_TRUE(test::near(test::pixelAt(image, cx, cy), ctx.pal.accent));
    // 1.7 times 5.5 reaches 4.6 points from the centre; a plain dot only 2.75.
    EXPECT_TRUE(test::near(test::pixelAt(image, cx + 3.8, cy), ctx.pal.accent, 40));
}

TEST(CalendarBigDate, WeekdayNumeralAndMonthInTheirRolesAndCase) {
    for (auto labels : {ThemeSettings::LabelStyle::monoCaps, ThemeSettings::LabelStyle::systemSans}) {
        const bool caps = labels == ThemeSettings::LabelStyle::monoCaps;
        const auto ctx = viewContext(labels);
        const auto lines = test::dumpLines(CalendarBigDate{noon(2026, 3, 17), ctx}.body(), {160, 160});
        const auto t = textLines(lines);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[0].text(), caps ? "TUESDAY" : "Tuesday");
        EXPECT_EQ(t[0].attr("color"), hex(ctx.pal.accent));
        EXPECT_EQ(t[1].text(), "17");
        EXPECT_EQ(t[1].attr("color"), hex(ctx.pal.ink));
        EXPECT_EQ(t[1].attr("weight"), "black");
        EXPECT_EQ(t[2].text(), caps ? "MARCH 2026" : "March 2026");
        EXPECT_EQ(t[2].attr("color"), hex(ctx.pal.inkDim));
        // The month sits on the bottom padding, everything on the leading one.
        EXPECT_NEAR(t[2].y + t[2].height, 140, 0.5);
        EXPECT_NEAR(t[0].x, 22, 0.01);
    }
}

TEST(CalendarDayEvents, TheNextTwoEventsNotOverOrANote) {
    const auto past = event("p", "09:00", "10:00", "Standup", "Done", true, false);
    const auto now = event("n", "10:30", "11:30", "Workshop", "60 min", false, false);
    const auto next = event("x", "12:00", "13:30", "Design review", "Studio B \u00B7 90 min", false, true);
    const auto later = event("l", "14:00", std::nullopt, "Planning", "30 min", false, false);
    struct Case {
        const char* name;
        std::vector<EventItem> events;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"empty", {}, {"17", "TUE", "NO MORE EVENTS TODAY"}},
        {"all over", {past, past}, {"17", "TUE", "NO MORE EVENTS TODAY"}},
        {"three to come", {past, now, next, later},
         {"17", "TUE", "10:30 \u2013 11:30", "Workshop", "12:00 \u2013 13:30", "Design review"}},
        {"no end", {later}, {"17", "TUE", "14:00", "Planning"}},
    };
    const auto ctx = viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines =
            test::dumpLines(CalendarDayEvents{noon(2026, 3, 17), {c.events, 0.5}, ctx}.body(), {344, 160});
        EXPECT_EQ(textsOf(lines), c.want);
        EXPECT_EQ(findText(lines, "17")->attr("color"), hex(ctx.pal.accent));
        // The rule is one point wide whatever the scale.
        EXPECT_EQ(countFill(lines, "Rectangle", ctx.pal.hairline), 1);
    }
    const auto lines =
        test::dumpLines(CalendarDayEvents{noon(2026, 3, 17), {{now, next}, 0.5}, viewContext()}.body(), {688, 320});
    EXPECT_EQ(findText(lines, "12:00 \u2013 13:30")->attr("color"), hex(ctx.pal.accent));
    EXPECT_EQ(findText(lines, "10:30 \u2013 11:30")->attr("color"), hex(ctx.pal.inkDim));
    const auto rules = test::ofKind(lines, "Rectangle");
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_DOUBLE_EQ(rules[0].width, 1);
}

TEST(CalendarAgenda, RowsRulesAndCountsFollowTheSnapshot) {
    std::vector<EventItem> six;
    for (int i = 0; i < 6; ++i)
        six.push_back(event("e" + std::to_string(i), std::to_string(10 + i) + ":00", std::to_string(11 + i) + ":00",
                            "Event " + std::to_string(i), std::nullopt, false, false));
    const auto ctx = viewContext();
    struct Case {
        size_t events, rows, rules;
    };
    for (const auto& c : {Case{0, 0, 0}, Case{1, 1, 0}, Case{2, 2, 1}, Case{3, 3, 2}, Case{6, 3, 2}}) {
        SCOPED_TRACE(c.events);
        const CalendarSnapshot snap{{six.begin(), six.begin() + long(c.events)}, 0.42};
        const auto lines = test::dumpLines(CalendarAgenda{noon(2026, 3, 17), snap, ctx}.body(), {344, 344});
        ASSERT_NE(findText(lines, std::to_string(c.events) + " EVENTS"), nullptr);
        size_t rows = 0;
        for (const auto& l : textLines(lines))
            if (l.text().rfind("Event ", 0) == 0) ++rows;
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(size_t(countFill(lines, "Rectangle", ctx.pal.hairline)), c.rules);
        // The footer is always there: the dot bar and the day's share.
        EXPECT_NE(findText(lines, "DAY 42%"), nullptr);
        EXPECT_GT(countFill(lines, "Circle", ctx.pal.track), 10);
    }
}

TEST(CalendarAgenda, PastNextAndDetailsAreDrawnApart) {
    const CalendarSnapshot snap{{event("a", "09:00", "10:00", "Standup", "Done", true, false),
                                 event("b", "10:30", "11:30", "Workshop", std::nullopt, false, false),
                                 event("c", "12:00", "13:30", "Review", "Studio B \u00B7 90 min", true, true)},
                                1.0};
    const auto ctx = viewContext();
    const auto lines = test::dumpLines(CalendarAgenda{noon(2026, 3, 17), snap, ctx}.body(), {344, 344});
    // The past title is struck and faint; its detail faint at 70 %.
    const auto* standup = findText(lines, "Standup");
    ASSERT_NE(standup, nullptr);
    EXPECT_NE(standup->attrs.find("strikethrough"), std::string::npos);
    EXPECT_EQ(standup->attr("color"), hex(ctx.pal.inkFaint));
    EXPECT_EQ(findText(lines, "DONE")->attr("color"), hex(ctx.pal.inkFaint.opacity(0.7)));
    EXPECT_EQ(findText(lines, "09:00")->attr("color"), hex(ctx.pal.inkFaint));
    // An event without detail has no second line; the start alone is shown.
    EXPECT_EQ(findText(lines, "Workshop")->attr("color"), hex(ctx.pal.ink));
    EXPECT_EQ(findText(lines, "Workshop")->attrs.find("strikethrough"), std::string::npos);
    EXPECT_EQ(findText(lines, "10:30")->attr("color"), hex(ctx.pal.inkDim));
    EXPECT_EQ(textsOf(lines).size(), 3u + 3 + 2 + 3 + 1);
    // Next wins over past for the time.
    EXPECT_EQ(findText(lines, "12:00")->attr("color"), hex(ctx.pal.accent));
    EXPECT_NE(findText(lines, "DAY 100%"), nullptr);
    const auto* title = findText(lines, "MAR 17");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->attr("tracking"), "1.14");
    EXPECT_NE(findText(lines, "TUESDAY"), nullptr);

    const auto sans = test::dumpLines(
        CalendarAgenda{noon(2026, 3, 17), snap, viewContext(ThemeSettings::LabelStyle::systemSans)}.body(), {344, 344});
    const auto* plain = findText(sans, "Mar 17");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->attr("tracking"), "");
    EXPECT_NE(findText(sans, "3 events"), nullptr);
    EXPECT_NE(findText(sans, "Standup")->attrs.find("font=system"), std::string::npos);
}

TEST(CalendarAgenda, TheDayShareIsTruncatedAndHeldToTheDay) {
    const std::pair<double, const char*> cases[] = {
        {0, "Day 0%"}, {0.42, "Day 42%"}, {0.999, "Day 99%"}, {1, "Day 100%"},
        {std::nan(""), "Day 0%"}, {-0.5, "Day 0%"}, {7, "Day 100%"},
    };
    for (const auto& [p, want] : cases) EXPECT_EQ(CalendarAgenda::dayText(p), want) << p;
}

TEST(CalendarViews, DayMonthAndDotsComeFromTheOneCalendarOfTheTimeLocale) {
    // 2026-03-01 is 12 Ramadan 1447 in the Umm al-Qura calendar (a month of
    // 30 days) and 10 Esfand 1404 in the Persian one (29 days).
    struct Case {
        const char* locale;
        const char* month;  // the header, standing alone
        int day, days;
    };
    const Case cases[] = {
        {"ar_SA", "\u0631\u0645\u0636\u0627\u0646", 12, 30},
        {"fa_IR", "\u0627\u0633\u0641\u0646\u062f", 10, 29},
        {"en_US", "MARCH", 1, 31},
    };
    const Date day = noon(2026, 3, 1);
    const auto ctx = viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        time::setCurrentLocale(c.locale);
        const auto grid = test::dumpLines(CalendarMonthGrid{day, ctx}.body(), {160, 160});
        const auto big = textsOf(test::dumpLines(CalendarBigDate{day, ctx}.body(), {160, 160}));
        const auto events = textsOf(test::dumpLines(CalendarDayEvents{day, {}, ctx}.body(), {344, 160}));
        time::setCurrentLocale("en_US");
        const int rows = (c.days + 6) / 7;
        EXPECT_EQ(textsOf(grid), (std::vector<std::string>{c.month, std::to_string(c.day),
                                                           std::to_string(c.days - c.day) + " DAYS LEFT"}));
        EXPECT_EQ(test::ofKind(grid, "Circle").size(), size_t(7 * rows));
        EXPECT_EQ(countFill(grid, "Circle", ctx.pal.fill), c.day - 1);
        EXPECT_EQ(countFill(grid, "Circle", ctx.pal.track), 7 * rows - c.day);
        ASSERT_EQ(big.size(), 3u);
        EXPECT_EQ(big[1], std::to_string(c.day));
        EXPECT_NE(big[2].find(c.locale == std::string("en_US") ? "MARCH" : c.month), std::string::npos) << big[2];
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events[0], std::to_string(c.day));
    }
}
