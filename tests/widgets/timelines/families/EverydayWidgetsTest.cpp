#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/models/HabitItem.h"
#include "shared/stores/MediaBridge.h"
#include "shared/storage/SharedStorage.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "tests/support/dump/DumpLines.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/sources/local/QuoteProvider.h"
#include "widgets/timelines/DailyWidgets.h"
#include "widgets/timelines/FocusWidgets.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/StockWidgets.h"
#include "widgets/timelines/TapToLogWidgets.h"

#include <gtest/gtest.h>

using namespace plyx;
using widgetkit::RequestMode;
using widgetkit::TimelineReloadPolicy;

namespace {

const Date kNow = Date::fromUnix(1778180400); // Thursday 2026-05-07T19:00:00Z

const DeclaredWidget& widget(const char* kind) {
    const auto* d = PlyxWidgetsBundle::find(kind);
    if (!d) throw std::runtime_error(std::string("not declared: ") + kind);
    return *d;
}

template <class T> T dataOf(const widgetkit::AnyEntry& e) { return std::any_cast<const PlyxEntry<T>&>(e.entry).data; }

// The one entry of a request for `kind`, unconfigured.
template <class T> T requested(const char* kind, RequestMode mode) {
    const auto& w = widget(kind).configuration;
    const auto answer = widgetkit::request(w, mode, intents::Configuration::defaults(w.intent()), {});
    return dataOf<T>(answer.entries.at(0));
}

// Every text the widget's timeline entry draws at its design size.
std::vector<std::string> drawnTexts(const char* kind) {
    const auto& d = widget(kind);
    const auto& w = d.configuration;
    const auto answer = widgetkit::request(w, RequestMode::timeline, intents::Configuration::defaults(w.intent()), {});
    ui::Environment env;
    env.now = time::now();
    std::vector<std::string> out;
    for (const auto& l : test::ofKind(test::dumpLines(w.content(answer.entries.at(0)), d.designSize(), env), "Text")) {
        out.push_back(l.text());
    }
    return out;
}

class EverydayWidgetsTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    test::FakeClock clock{kNow};
};

} // namespace

TEST(EverydayWidgets, DeclaredWithTheirRowsAndConfigurations) {
    struct Row {
        const char *kind, *name, *description;
        widgetkit::WidgetFamily family;
        WidgetPalette::Tone tone;
        const char* intent;
    };
    const Row rows[] = {
        {"plyx.stock", "Ticker", "A stock and its day, in dots.", kMedium, kDark, "StockConfigIntent"},
        {"plyx.stock.watchlist", "Watchlist", "Three stocks at a glance.", kMedium, kDark, "WatchlistConfigIntent"},
        {"plyx.countdown", "Countdown", "Days until the thing.", kSmall, kDark, "CountdownConfigIntent"},
        {"plyx.focus.timer", "Focus", "A tap-to-start focus session.", kSmall, kDark, "SurfaceConfigIntent"},
        {"plyx.stopwatch", "Stopwatch", "Tap to start, tap to lap.", kSmall, kLight, "SurfaceConfigIntent"},
        {"plyx.habits.week", "Habits", "This week's check-ins; tap a habit for today.", kMedium, kLight,
         "SurfaceConfigIntent"},
        {"plyx.steps", "Steps", "Today's steps \u2014 tap to log 1,000.", kSmall, kLight, "SurfaceConfigIntent"},
        {"plyx.water", "Water", "Tap to log a glass.", kSmall, kLight, "SurfaceConfigIntent"},
        {"plyx.weather.moon", "Moon", "Tonight's phase.", kSmall, kDark, "SurfaceConfigIntent"},
        {"plyx.quote", "Daily Quote", "One good line a day.", kMedium, kLight, "SurfaceConfigIntent"},
        {"plyx.year", "Year Progress", "The year as dots.", kMedium, kDark, "SurfaceConfigIntent"},
        {"plyx.inbox", "Inbox", "Unread mail at a glance.", kSmall, kDark, "SurfaceConfigIntent"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.kind);
        const auto& d = widget(r.kind);
        EXPECT_EQ(d.configuration.displayName(), r.name);
        EXPECT_EQ(d.configuration.description(), r.description);
        EXPECT_EQ(d.configuration.supportedFamilies(), std::vector<widgetkit::WidgetFamily>{r.family});
        EXPECT_EQ(d.row.tone, r.tone);
        EXPECT_EQ(d.row.link, nullptr);
        EXPECT_EQ(d.configuration.intent().type, r.intent);
    }
}

TEST_F(EverydayWidgetsTest, CountersReadTodayAgainstTheirGoalsAndFallBackToTheDefaults) {
    auto suite = SharedStorage::suite();
    suite.setInteger(StorageKeys::counterKey(kStepsCounter, kNow), 4321);
    suite.setInteger(StorageKeys::counterKey(kWaterCounter, kNow - 86400), 6); // yesterday's
    struct Case {
        std::optional<std::int64_t> stepsGoal, waterGoal;
        std::int64_t wantSteps, wantWater;
    };
    const Case cases[] = {{std::nullopt, std::nullopt, 10000, 8}, {0, 0, 10000, 8}, {-5, -1, 10000, 8},
                          {12000, 10, 12000, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wantSteps);
        for (auto [key, goal] : {std::pair{StorageKeys::stepsGoal, c.stepsGoal}, {StorageKeys::waterGoal, c.waterGoal}})
            goal ? suite.setInteger(key, *goal) : suite.remove(key);
        EXPECT_EQ(requested<CounterSnapshot>("plyx.steps", RequestMode::timeline),
                  (CounterSnapshot{4321, c.wantSteps}));
        EXPECT_EQ(requested<CounterSnapshot>("plyx.water", RequestMode::timeline), (CounterSnapshot{0, c.wantWater}));
        // The gallery shows the samples whatever is stored.
        EXPECT_EQ(requested<CounterSnapshot>("plyx.steps", RequestMode::preview), (CounterSnapshot{8214, 10000}));
        EXPECT_EQ(requested<CounterSnapshot>("plyx.water", RequestMode::preview), (CounterSnapshot{5, 8}));
    }
    EXPECT_EQ(drawnTexts("plyx.steps"), (std::vector<std::string>{"STEPS", "4,321", "GOAL 12,000"}));
}

TEST_F(EverydayWidgetsTest, StopwatchAndInboxWithNothingStoredAreEmptyNotTheSample) {
    EXPECT_EQ(requested<StopwatchState>("plyx.stopwatch", RequestMode::timeline), StopwatchState{});
    EXPECT_EQ(requested<StopwatchState>("plyx.stopwatch", RequestMode::preview), StopwatchState::sample());
    EXPECT_EQ(requested<std::optional<InboxSnapshot>>("plyx.inbox", RequestMode::timeline), std::nullopt);
    EXPECT_EQ(requested<std::optional<InboxSnapshot>>("plyx.inbox", RequestMode::preview), InboxSnapshot::sample());

    const StopwatchState running{kNow - 75.3, {12.0, 30.5}};
    ASSERT_TRUE(SharedStorage::write(StorageKeys::stopwatch, running));
    EXPECT_EQ(requested<StopwatchState>("plyx.stopwatch", RequestMode::timeline), running);
    EXPECT_EQ(drawnTexts("plyx.stopwatch")[1], "1:15");
    MediaBridge::setInbox(InboxSnapshot{7, "Ana: Lunch?", kNow - 300, true, kNow});
    EXPECT_EQ(drawnTexts("plyx.inbox"), (std::vector<std::string>{"INBOX", "7", "Ana: Lunch?", "5 MIN AGO"}));
}

TEST_F(EverydayWidgetsTest, HabitWeekCountsOnlyThisWeeksCheckIns) {
    // Thursday 7 May 2026: the week runs from Monday 4 May.
    const std::vector<HabitItem> habits{
        {Uuid::random(), "Run", {"2026-05-03", "2026-05-04", "2026-05-07"}}, // Sunday before does not count
        {Uuid::random(), "Read", {"2026-05-04", "2026-05-05", "2026-05-06", "2026-05-11"}},
    };
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, habits));
    const auto rows = requested<std::vector<HabitWeekRow>>("plyx.habits.week", RequestMode::timeline);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (HabitWeekRow{habits[0].id, "Run", 2, 7}));
    EXPECT_EQ(rows[1], (HabitWeekRow{habits[1].id, "Read", 3, 7}));
    EXPECT_EQ(requested<std::vector<HabitWeekRow>>("plyx.habits.week", RequestMode::preview), HabitWeekRow::samples());
}

TEST_F(EverydayWidgetsTest, DailyGlancesFollowTheDate) {
    struct Case {
        Date now;
        YearInfo year;
        const char* percent;
    };
    const Case cases[] = {
        {time::dateFrom(2028, 2, 29, 12), {2028, 60, 366}, "16%"}, // a leap day
        {time::dateFrom(2026, 12, 31, 23, 59), {2026, 365, 365}, "100%"},
        {time::dateFrom(2026, 1, 1, 0, 0), {2026, 1, 365}, "0%"},
    };
    for (const auto& c : cases) {
        clock.set(c.now);
        EXPECT_EQ(requested<YearInfo>("plyx.year", RequestMode::timeline), c.year);
        EXPECT_EQ(drawnTexts("plyx.year")[1], c.percent);
        EXPECT_EQ(requested<QuoteItem>("plyx.quote", RequestMode::timeline), QuoteProvider::today(c.now));
    }
    EXPECT_EQ(requested<YearInfo>("plyx.year", RequestMode::preview), (YearInfo{2026, 196, 365}));
    EXPECT_EQ(requested<QuoteItem>("plyx.quote", RequestMode::preview), kQuoteSample);

    // The moon on the night of the total lunar eclipse of 3 March 2026.
    clock.set(time::dateFrom(2026, 3, 3, 20));
    const auto moon = requested<MoonInfo>("plyx.weather.moon", RequestMode::timeline);
    EXPECT_EQ(moon.phaseName, "Full Moon");
    EXPECT_EQ(drawnTexts("plyx.weather.moon"), (std::vector<std::string>{"MOON", "FULL MOON", "FULL MOON TONIGHT"}));
    EXPECT_EQ(requested<MoonInfo>("plyx.weather.moon", RequestMode::preview),
              (MoonInfo{"Waxing Gibbous", 0.78, true, 6, 21}));
}

TEST_F(EverydayWidgetsTest, RefreshMinutesOfTheLocalWidgets) {
    const std::pair<const char*, double> cases[] = {
        {"plyx.stopwatch", 60}, {"plyx.habits.week", 60}, {"plyx.steps", 30}, {"plyx.water", 30},
        {"plyx.weather.moon", 720}, {"plyx.quote", 360}, {"plyx.year", 360}, {"plyx.inbox", 15},
    };
    for (const auto& [kind, minutes] : cases) {
        const auto& w = widget(kind).configuration;
        const auto answer =
            widgetkit::request(w, RequestMode::timeline, intents::Configuration::defaults(w.intent()), {});
        EXPECT_EQ(answer.entries.size(), 1u) << kind;
        EXPECT_EQ(answer.policy, TimelineReloadPolicy::after(kNow + minutes * 60)) << kind;
    }
}
