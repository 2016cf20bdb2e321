// Focus, stopwatch, habits, counters and the year: stored forms, samples,
// the Monday week of the habit rows and the calendar year.
#include "shared/models/CounterSnapshot.h"
#include "shared/models/FocusSession.h"
#include "shared/models/HabitItem.h"
#include "shared/models/HabitWeekRow.h"
#include "shared/models/StopwatchState.h"
#include "shared/models/YearInfo.h"

#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <string>

namespace plyx {
namespace {

const Uuid kId = *Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

// Fixes the clock and zone for one test and puts them back afterwards.
class FixedMoment {
public:
    FixedMoment(Date at, const std::string& zone) : clock_(at) { time::setCurrentZone(zone); }
    ~FixedMoment() { time::setCurrentZone("UTC"); }

private:
    test::FakeClock clock_;
};

TEST(FocusAndStopwatch, StoredForms) {
    EXPECT_EQ(*coding::encode(FocusSession{std::nullopt, 25}), R"({"minutes":25})");
    EXPECT_EQ(*coding::encode(FocusSession{Date{100.25}, 50}), R"({"endDate":100.25,"minutes":50})");
    EXPECT_EQ(*coding::encode(StopwatchState{}), R"({"laps":[]})");
    EXPECT_EQ(*coding::encode(StopwatchState{Date{-3}, {61.1, 2}}), R"({"startDate":-3,"laps":[61.1,2]})");

    const std::pair<const char*, bool> focus[] = {
        {R"({"minutes":25})", true}, {R"({"endDate":null,"minutes":25,"x":1})", true},
        {R"({"endDate":"soon","minutes":25})", false}, {R"({"endDate":5})", false}};
    for (const auto& [json, ok] : focus) EXPECT_EQ(coding::decode<FocusSession>(json).has_value(), ok) << json;
    const std::pair<const char*, bool> stopwatch[] = {
        {R"({"laps":[]})", true}, {R"({"startDate":null,"laps":[1.5]})", true},
        {R"({"startDate":1,"laps":[1.5,"2"]})", false}, {R"({"startDate":1})", false}};
    for (const auto& [json, ok] : stopwatch) EXPECT_EQ(coding::decode<StopwatchState>(json).has_value(), ok) << json;

    // Running means a start is set, even one in the future.
    EXPECT_FALSE(StopwatchState{}.isRunning());
    EXPECT_TRUE((StopwatchState{time::now() + 3600, {}}.isRunning()));
}

TEST(FocusAndStopwatch, Samples) {
    const Date before = time::now();
    const auto& f = FocusSession::sample();
    const auto& s = StopwatchState::sample();
    const Date after = time::now();
    ASSERT_TRUE(f.endDate && s.startDate);
    EXPECT_EQ(f.minutes, 25);
    EXPECT_GE(*f.endDate, before + 932);
    EXPECT_LE(*f.endDate, after + 932);
    EXPECT_GE(*s.startDate, before - 287.3);
    EXPECT_LE(*s.startDate, after - 287.3);
    EXPECT_EQ(s.laps, (std::vector<double>{61.1, 133.4, 214.5}));
    EXPECT_EQ(f, FocusSession::sample());
    EXPECT_EQ(*s.startDate, *StopwatchState::sample().startDate);
}

TEST(Habits, StoredForm) {
    EXPECT_EQ(*coding::encode(HabitItem{kId, "Run", {}}),
              R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Run","checkins":[]})");
    EXPECT_EQ(*coding::encode(HabitItem{kId, "Run", {"2026-12-08", "2026-12-01"}}),
              R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Run","checkins":["2026-12-01","2026-12-08"]})");
    EXPECT_EQ(*coding::encode(HabitWeekRow{kId, "Run", 3, 7}),
              R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Run","done":3,"total":7})");

    using List = std::vector<HabitItem>;
    const auto one = [](const std::string& member) {
        return R"([{"id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f","name":"Run")" + member + "}]";
    };
    EXPECT_EQ(coding::decode<List>(one(R"(,"checkins":["2026-12-01","2026-12-01"],"streak":4)")),
              (List{{kId, "Run", {"2026-12-01"}}}));
    EXPECT_FALSE(coding::decode<List>(one("")));
    EXPECT_FALSE(coding::decode<List>(one(R"(,"checkins":[1])")));
    EXPECT_FALSE(coding::decode<List>(R"([{"id":"not-a-uuid","name":"Run","checkins":[]}])"));
    EXPECT_FALSE(coding::decode<List>(
        R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Run","checkins":[]},{"name":"Read","checkins":[]}])"));

    // Sets compare as sets; identity and name are part of the value.
    EXPECT_EQ((HabitItem{kId, "Run", {"b", "a"}}), (HabitItem{kId, "Run", {"a", "b"}}));
    EXPECT_NE((HabitItem{kId, "Run", {}}), (HabitItem{Uuid::random(), "Run", {}}));
}

TEST(Habits, WeekStartsOnMondayInTheCurrentZone) {
    // 00:30 on Monday 7 December 2026 in Berlin is still Sunday in UTC.
    const Date mondayBerlin = time::dateFrom(2026, 12, 7, 0, 30, 0, "Europe/Berlin");
    const Date sundayNight = time::dateFrom(2026, 12, 13, 23, 59, 0, "Europe/Berlin");
    const std::vector<HabitItem> habits{
        {kId, "Run", {"2026-12-06", "2026-12-07"}},                             // last Sunday, this Monday
        {Uuid::random(), "Read", {"2026-12-07", "2026-12-10", "2026-12-13"}},   // Monday, Thursday, Sunday
        {Uuid::random(), "No sugar", {"2026-12-14", "2026-11-30", "junk"}},     // other weeks only
    };
    for (Date now : {mondayBerlin, sundayNight}) {
        FixedMoment at(now, "Europe/Berlin");
        const auto rows = HabitWeekRow::week(habits, now);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (HabitWeekRow{kId, "Run", 1, 7}));
        EXPECT_EQ(rows[1].done, 3);
        EXPECT_EQ(rows[1].name, "Read");
        EXPECT_EQ(rows[2].done, 0);
    }
    // In UTC the same moment belongs to the week before, where Sunday the 6th counts.
    FixedMoment at(mondayBerlin, "UTC");
    EXPECT_EQ(HabitWeekRow::week(habits, mondayBerlin)[0].done, 1);
    EXPECT_EQ(HabitWeekRow::week(habits, mondayBerlin)[1].done, 0);
}

TEST(Habits, Samples) {
    const auto& samples = HabitItem::samples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(&samples, &HabitItem::samples());
    const char* names[] = {"Run", "Read", "No sugar"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(samples[i].name, names[i]);
        EXPECT_TRUE(samples[i].checkins.empty());
    }

    const auto& rows = HabitWeekRow::samples();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ((std::tuple{rows[0].name, rows[0].done, rows[1].name, rows[1].done, rows[2].name, rows[2].done}),
              (std::tuple{std::string("Run"), 7, std::string("Read"), 5, std::string("No sugar"), 2}));
    for (const auto& r : rows) EXPECT_EQ(r.total, 7);
    EXPECT_EQ(rows[0].id, HabitWeekRow::samples()[0].id);
}

TEST(Counters, StoredForm) {
    EXPECT_EQ(*coding::encode(CounterSnapshot{5, 8}), R"({"value":5,"goal":8})");
}

TEST(YearInfo, CalendarYear) {
    struct Case {
        int y, m, d;
        const char* zone;
        const char* locale;
        YearInfo expected;
    };
    const Case cases[] = {
        {2024, 12, 31, "UTC", "en_US", {2024, 366, 366}},
        {2024, 1, 1, "UTC", "en_US", {2024, 1, 366}},
        {2024, 2, 29, "UTC", "en_US", {2024, 60, 366}},
        {2023, 12, 31, "UTC", "en_US", {2023, 365, 365}},
        {2100, 3, 1, "UTC", "en_US", {2100, 60, 365}},   // a century year that is not leap
        {2000, 12, 31, "UTC", "en_US", {2000, 366, 366}},
        {2024, 6, 1, "UTC", "th_TH@calendar=buddhist", {2567, 153, 366}},
    };
    for (const auto& c : cases) {
        time::setCurrentLocale(c.locale);
        FixedMoment at(Date{}, c.zone);
        EXPECT_EQ(YearInfo::current(time::dateFrom(c.y, c.m, c.d, 12, 0, 0)), c.expected)
            << c.y << "-" << c.m << "-" << c.d << " " << c.locale;
    }
    time::setCurrentLocale("en_US");

    // The year is that of the current zone's day.
    FixedMoment tokyo(Date{}, "Asia/Tokyo");
    EXPECT_EQ(YearInfo::current(time::dateFrom(2024, 12, 31, 23, 30, 0, "UTC")), (YearInfo{2025, 1, 365}));
}

} // namespace
} // namespace plyx
