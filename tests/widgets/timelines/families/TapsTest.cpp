// Taps on the interactive widgets as the host makes them: the widget drawn
// from its timeline, the button under the point rebuilt from the form it
// carries and performed, then the next timeline drawn again.
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "tests/support/dump/DumpLines.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <gtest/gtest.h>

using namespace plyx;
using widgetkit::RequestMode;

namespace {

const Date kNow = Date::fromUnix(1778180400); // Thursday 2026-05-07T19:00:00Z

class TapsTest : public ::testing::Test {
protected:
    TapsTest() { registerInteractiveIntents(); }

    // The widget's current timeline entry, drawn at its design size now.
    struct Drawn {
        widgetkit::AnyEntry entry;
        ui::RenderResult rendered;
        std::vector<std::string> texts;
    };
    Drawn draw(const char* kind) const {
        const auto* d = PlyxWidgetsBundle::find(kind);
        EXPECT_NE(d, nullptr) << kind;
        const auto& w = d->configuration;
        const auto answer = widgetkit::request(w, RequestMode::timeline, intents::Configuration::defaults(w.intent()), {});
        Drawn out{answer.entries.at(0), {}, {}};
        ui::Environment env;
        env.now = time::now();
        out.rendered = widgetkit::renderEntry(w, out.entry, d->designSize(), 1, env);
        for (const auto& l : test::ofKind(test::dumpLines(w.content(out.entry), d->designSize(), env), "Text")) {
            out.texts.push_back(l.text());
        }
        return out;
    }

    // Taps `kind` at `p` and waits for the intent to finish.
    void tap(const char* kind, ui::Point p) const {
        const auto drawn = draw(kind);
        const auto* hit = ui::hitTest(drawn.rendered.hits, p);
        ASSERT_NE(hit, nullptr) << kind << " at " << p.x << "," << p.y;
        std::string error;
        auto intent = intents::IntentRegistry::shared().rebuild(hit->payload, &error);
        ASSERT_NE(intent, nullptr) << error;
        intents::performOnWorker(std::move(intent)).waitForFinished();
    }

    template <class T> static T dataOf(const Drawn& d) { return std::any_cast<const PlyxEntry<T>&>(d.entry.entry).data; }

    test::FreshStorage storage;
    test::FakeClock clock{kNow};
};

} // namespace

TEST_F(TapsTest, FocusStartsAndStopsASessionAndItsTextCountsDownAtEachRepaint) {
    EXPECT_EQ(draw("plyx.focus.timer").texts, (std::vector<std::string>{"FOCUS", "25:00", "START"}));
    tap("plyx.focus.timer", {80, 80});
    const auto running = draw("plyx.focus.timer");
    EXPECT_EQ(dataOf<FocusSession>(running), (FocusSession{kNow + 25 * 60, 25}));
    EXPECT_EQ(running.texts, (std::vector<std::string>{"FOCUS", "25:00", "LIVE"}));
    // The same entry a second later: the countdown moves without a new timeline.
    const auto* w = PlyxWidgetsBundle::find("plyx.focus.timer");
    ui::Environment later;
    later.now = kNow + 61;
    EXPECT_NE(ui::dump(w->configuration.content(running.entry), w->designSize(), later).find("text=\"23:59\""),
              std::string::npos);
    clock.advance(60);
    tap("plyx.focus.timer", {10, 150});
    EXPECT_EQ(dataOf<FocusSession>(draw("plyx.focus.timer")), (FocusSession{std::nullopt, 25}));
}

TEST_F(TapsTest, StopwatchStartsLapsAndResets) {
    tap("plyx.stopwatch", {80, 60});
    EXPECT_EQ(dataOf<StopwatchState>(draw("plyx.stopwatch")), (StopwatchState{kNow, {}}));
    // A lap of 59.96 seconds reads a whole minute, not "00:60.0".
    clock.advance(59.96);
    tap("plyx.stopwatch", {80, 60});
    const auto oneLap = draw("plyx.stopwatch");
    ASSERT_EQ(dataOf<StopwatchState>(oneLap).laps.size(), 1u);
    EXPECT_NEAR(dataOf<StopwatchState>(oneLap).laps[0], 59.96, 1e-6);
    EXPECT_EQ(oneLap.texts.back(), "01:00.0");
    clock.advance(12.0);
    tap("plyx.stopwatch", {80, 60});
    const auto lapped = draw("plyx.stopwatch");
    ASSERT_EQ(dataOf<StopwatchState>(lapped).laps.size(), 2u);
    EXPECT_NEAR(dataOf<StopwatchState>(lapped).laps[1], 71.96, 1e-6);
    EXPECT_EQ(lapped.texts.back(), "00:12.0");
    EXPECT_EQ(lapped.texts[1], "1:11");
    // The reset caption is its own button, inside the whole-widget one.
    const ui::Hit* reset = nullptr;
    for (const auto& h : lapped.rendered.hits)
        if (h.depth > 0) reset = &h;
    ASSERT_NE(reset, nullptr);
    tap("plyx.stopwatch", {reset->rect.x + 2, reset->rect.y + reset->rect.height / 2});
    const auto after = draw("plyx.stopwatch");
    EXPECT_EQ(dataOf<StopwatchState>(after), StopwatchState{});
    EXPECT_EQ(after.texts, (std::vector<std::string>{"STOPWATCH", "00:00", "TAP TO START"}));
}

TEST_F(TapsTest, HabitRowsCheckInTheirOwnHabitForToday) {
    const auto before = dataOf<std::vector<HabitWeekRow>>(draw("plyx.habits.week"));
    ASSERT_EQ(before.size(), 3u);
    // The second row's button.
    const auto drawn = draw("plyx.habits.week");
    ASSERT_EQ(drawn.rendered.hits.size(), 3u);
    const auto& second = drawn.rendered.hits[1].rect;
    tap("plyx.habits.week", {second.x + 4, second.y + second.height / 2});
    const auto after = dataOf<std::vector<HabitWeekRow>>(draw("plyx.habits.week"));
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].done, before[0].done);
    EXPECT_EQ(after[1].done, before[1].done + 1);
    EXPECT_EQ(after[2].done, before[2].done);
    // A second tap takes today's check-in back.
    tap("plyx.habits.week", {second.x + 4, second.y + second.height / 2});
    EXPECT_EQ(dataOf<std::vector<HabitWeekRow>>(draw("plyx.habits.week"))[1].done, before[1].done);
}

TEST_F(TapsTest, StepsAndWaterCountUpPastTheirGoals) {
    SharedStorage::suite().setInteger(StorageKeys::waterGoal, 2);
    for (int i = 0; i < 3; ++i) {
        tap("plyx.steps", {80, 80});
        tap("plyx.water", {80, 80});
    }
    const auto steps = draw("plyx.steps");
    EXPECT_EQ(dataOf<CounterSnapshot>(steps), (CounterSnapshot{3000, 10000}));
    EXPECT_EQ(steps.texts[1], "3,000");
    const auto water = draw("plyx.water");
    EXPECT_EQ(dataOf<CounterSnapshot>(water), (CounterSnapshot{3, 2}));
    EXPECT_EQ(water.texts, (std::vector<std::string>{"WATER", "0.75L", "2 OF 2 GLASSES"}));
}
