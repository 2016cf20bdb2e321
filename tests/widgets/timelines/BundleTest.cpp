#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/SystemWidgets.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace plyx;
using widgetkit::WidgetFamily;

namespace {

std::vector<std::string> kindsOf(const std::vector<DeclaredWidget>& declared) {
    std::vector<std::string> out;
    for (const auto& d : declared) out.push_back(d.row.kind);
    return out;
}

// A stand-in declaration of `kind`: only the row matters to the ordering.
DeclaredWidget stub(const char* kind) {
    auto all = systemWidgets();
    DeclaredWidget d = all.front();
    d.row.kind = kind;
    return d;
}

} // namespace

TEST(PlyxWidgetsBundle, TheOrderNamesFiftyThreeDistinctKindsInSixGroups) {
    std::vector<size_t> sizes;
    std::set<std::string> kinds;
    for (const auto group : PlyxWidgetsBundle::groups()) {
        sizes.push_back(group.size());
        for (const char* kind : group) {
            EXPECT_EQ(std::string(kind).rfind("plyx.", 0), 0u) << kind;
            EXPECT_TRUE(kinds.insert(kind).second) << kind << " listed twice";
        }
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{10, 8, 8, 8, 9, 10}));
    EXPECT_EQ(kinds.size(), 53u);
}

TEST(PlyxWidgetsBundle, DeclarationsAreBuiltFromTheirRowsAndListedInBundleOrder) {
    const auto& declared = PlyxWidgetsBundle::declarations();
    ASSERT_FALSE(declared.empty());
    std::vector<std::string> order;
    for (const auto group : PlyxWidgetsBundle::groups())
        for (const char* kind : group) order.push_back(kind);
    std::vector<size_t> positions;
    for (const auto& d : declared) {
        const auto& c = d.configuration;
        SCOPED_TRACE(d.row.kind);
        EXPECT_EQ(c.kind(), d.row.kind);
        EXPECT_EQ(c.displayName(), d.row.displayName);
        EXPECT_EQ(c.description(), d.row.description);
        EXPECT_EQ(c.supportedFamilies(), std::vector<WidgetFamily>{d.row.family});
        EXPECT_TRUE(c.areContentMarginsDisabled());
        EXPECT_EQ(d.designSize(), widgetkit::designSize(d.row.family));
        positions.push_back(static_cast<size_t>(std::find(order.begin(), order.end(), d.row.kind) - order.begin()));
        EXPECT_LT(positions.back(), order.size()) << "not named by the order";
        EXPECT_EQ(PlyxWidgetsBundle::find(d.row.kind), &d);
    }
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(std::adjacent_find(positions.begin(), positions.end()), positions.end()) << "a kind listed twice";
    // The host drives the same widgets in the same order.
    std::vector<std::string> hosted;
    for (const auto& w : PlyxWidgetsBundle::bundle().widgets()) hosted.push_back(w.kind());
    EXPECT_EQ(hosted, kindsOf(declared));
    EXPECT_EQ(PlyxWidgetsBundle::find("plyx.nothing"), nullptr);
}

TEST(PlyxWidgetsBundle, OrderingPlacesEachKindWhereTheOrderNamesItAndRefusesStrays) {
    EXPECT_EQ(kindsOf(PlyxWidgetsBundle::inBundleOrder(
                  {stub("plyx.inbox"), stub("plyx.system.storage"), stub("plyx.clock.dual"), stub("plyx.steps")})),
              (std::vector<std::string>{"plyx.clock.dual", "plyx.steps", "plyx.system.storage", "plyx.inbox"}));
    EXPECT_THROW(PlyxWidgetsBundle::inBundleOrder({stub("plyx.inbox"), stub("plyx.unlisted")}), std::logic_error);
    EXPECT_THROW(PlyxWidgetsBundle::inBundleOrder({stub("plyx.inbox"), stub("plyx.quote"), stub("plyx.inbox")}),
                 std::logic_error);
}

TEST(PlyxWidgetsBundle, TheSystemGroupStandsTogetherOnTheSurfaceIntentWithItsRefreshIntervals) {
    struct Case {
        const WidgetRow& row;
        int refreshMinutes;
    };
    const Case cases[] = {{SystemWidget, 15}, {NetworkWidget, 15}, {StorageWidget, 360}};
    test::FreshStorage storage;
    std::vector<const DeclaredWidget*> found;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.kind);
        const auto* d = PlyxWidgetsBundle::find(c.row.kind);
        ASSERT_NE(d, nullptr);
        found.push_back(d);
        EXPECT_EQ(d->configuration.intent().type, "SurfaceConfigIntent");

        // A live timeline of one entry, asked again the widget's minutes later.
        test::FakeClock clock(Date{700'000'000});
        const auto answer = widgetkit::request(d->configuration, widgetkit::RequestMode::timeline,
                                               intents::Configuration::defaults(d->configuration.intent()), {});
        EXPECT_EQ(answer.entries.size(), 1u);
        EXPECT_EQ(answer.policy, widgetkit::TimelineReloadPolicy::after(Date{700'000'000} + c.refreshMinutes * 60.0));
    }
    // The group stands together, in this order.
    EXPECT_EQ(found, (std::vector<const DeclaredWidget*>{found[0], found[0] + 1, found[0] + 2}));
}

// The whole bundle as the gallery lists it, written out independently of the
// groups' rows: every widget once, in this order, at this family.
TEST(PlyxWidgetsBundle, HoldsTheFiftyThreeWidgetsInTheirOrderWithTheirNamesAndFamilies) {
    struct Row {
        const char* kind;
        const char* displayName;
        char family; // S, M, L
    };
    const Row table[] = {
        {"plyx.clock.analogClassic", "Analog Classic", 'S'}, {"plyx.clock.analogMinimal", "Analog Minimal", 'S'},
        {"plyx.clock.hybridClassic", "Hybrid Classic", 'S'}, {"plyx.clock.hybridMinimal", "Hybrid Minimal", 'S'},
        {"plyx.clock.matrixSmall", "Matrix Digital", 'S'},   {"plyx.clock.stacked", "Stacked", 'S'},
        {"plyx.clock.matrixMedium", "Matrix Digital", 'M'},  {"plyx.clock.world", "World Clock", 'M'},
        {"plyx.clock.dotDial", "Dot Dial", 'S'},             {"plyx.clock.dual", "Dual Time", 'M'},
        {"plyx.weather.current", "Conditions", 'S'},         {"plyx.weather.night", "Feels Like", 'S'},
        {"plyx.weather.forecast", "6-Day Forecast", 'M'},    {"plyx.weather.rain", "Rain Radar", 'M'},
        {"plyx.battery.ring", "Battery Ring", 'S'},          {"plyx.battery.percent", "Battery", 'S'},
        {"plyx.battery.devices", "Devices", 'M'},            {"plyx.battery.log", "Power Log", 'M'},
        {"plyx.reminders.checklist", "Checklist", 'M'},      {"plyx.reminders.nextUp", "Next Up", 'S'},
        {"plyx.reminders.single", "Single Focus", 'S'},      {"plyx.reminders.today", "Today List", 'L'},
        {"plyx.calendar.bigDate", "Big Date", 'S'},          {"plyx.calendar.monthGrid", "Month Grid", 'S'},
        {"plyx.calendar.dayEvents", "Day + Events", 'M'},    {"plyx.calendar.agenda", "Agenda", 'L'},
        {"plyx.notes.quick", "Quick Note", 'M'},             {"plyx.notes.single", "Single Note", 'S'},
        {"plyx.notes.list", "Notes List", 'S'},              {"plyx.notes.pinned", "Pinned", 'M'},
        {"plyx.screentime.total", "Screen Time", 'S'},       {"plyx.screentime.elapsed", "Elapsed", 'S'},
        {"plyx.screentime.apps", "Top Apps", 'M'},           {"plyx.screentime.weekly", "Weekly", 'M'},
        {"plyx.nowplaying", "Now Playing", 'M'},             {"plyx.remote", "Remote", 'S'},
        {"plyx.stock", "Ticker", 'M'},                       {"plyx.focus.timer", "Focus", 'S'},
        {"plyx.stopwatch", "Stopwatch", 'S'},                {"plyx.habits.week", "Habits", 'M'},
        {"plyx.countdown", "Countdown", 'S'},                {"plyx.steps", "Steps", 'S'},
        {"plyx.water", "Water", 'S'},                        {"plyx.stock.watchlist", "Watchlist", 'M'},
        {"plyx.system.monitor", "System", 'M'},              {"plyx.system.network", "Network", 'S'},
        {"plyx.system.storage", "Storage", 'S'},             {"plyx.weather.moon", "Moon", 'S'},
        {"plyx.weather.daylight", "Daylight", 'M'},          {"plyx.weather.airquality", "Air Quality", 'S'},
        {"plyx.quote", "Daily Quote", 'M'},                  {"plyx.year", "Year Progress", 'M'},
        {"plyx.inbox", "Inbox", 'S'},
    };
    const auto familyOf = [](char f) {
        return f == 'S' ? WidgetFamily::systemSmall : f == 'M' ? WidgetFamily::systemMedium : WidgetFamily::systemLarge;
    };
    const auto& declared = PlyxWidgetsBundle::declarations();
    ASSERT_EQ(declared.size(), std::size(table));
    for (std::size_t i = 0; i < declared.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_STREQ(declared[i].row.kind, table[i].kind);
        EXPECT_STREQ(declared[i].row.displayName, table[i].displayName);
        EXPECT_EQ(declared[i].row.family, familyOf(table[i].family));
    }
}
