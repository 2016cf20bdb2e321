// The extras store: day counters with their goals, habits with the Monday
// week, focus and stopwatch records; atomic changes that keep every tap,
// sums that saturate, and an unreadable habits list kept aside.
#include "shared/stores/ExtrasStore.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/UsageLog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace plyx {
namespace {

const Uuid kId = *Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Fixes the clock and zone for one test and puts them back afterwards.
class FixedMoment {
public:
    FixedMoment(Date at, const std::string& zone) : clock_(at) { time::setCurrentZone(zone); }
    void set(Date at) { clock_.set(at); }
    ~FixedMoment() { time::setCurrentZone("UTC"); }

private:
    test::FakeClock clock_;
};

TEST(ExtrasCounters, AddingKeepsEachLocalDayApartAndStaysWithinZeroAndTheLargestInteger) {
    test::FreshStorage storage;
    // 23:59:59 on the 9th in Tokyo, then one second later: the 10th.
    const Date lastSecond = time::dateFrom(2026, 12, 9, 23, 59, 59, "Asia/Tokyo");
    FixedMoment at(lastSecond, "Asia/Tokyo");
    ExtrasStore::addToCounter(kWaterCounter, 1);
    EXPECT_EQ(SharedStorage::integer("plyx.counter.water.2026-12-09"), 1);
    at.set(lastSecond + 1);
    EXPECT_EQ(ExtrasStore::counter(kWaterCounter, 8), (CounterSnapshot{0, 8}));  // a new day starts at 0
    ExtrasStore::addToCounter(kWaterCounter, 1);
    EXPECT_EQ(SharedStorage::integer("plyx.counter.water.2026-12-10"), 1);
    EXPECT_EQ(SharedStorage::integer("plyx.counter.water.2026-12-09"), 1);  // yesterday's key keeps its value
    EXPECT_EQ(ExtrasStore::counter(kWaterCounter, 12), (CounterSnapshot{1, 12}));

    struct Case {
        std::optional<std::int64_t> stored;
        std::int64_t amount, expected;
    };
    const Case cases[] = {
        {std::nullopt, 1000, 1000},
        {3, -5, 0},             // never below 0
        {3, 4, 7},
        {-10, 3, 0},            // a damaged negative count
        {kMax - 1, 5, kMax},    // saturates instead of wrapping to a negative sum
        {kMax, kMax, kMax},
        {5, kMin, 0},
        {kMin, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.stored ? std::to_string(*c.stored) : "absent") << " + " << c.amount);
        const std::string key = "plyx.counter.steps.2026-12-10";
        if (c.stored) SharedStorage::setInteger(key, *c.stored);
        else SharedStorage::remove(key);
        ExtrasStore::addToCounter(kStepsCounter, c.amount);
        EXPECT_EQ(SharedStorage::integer(key), c.expected);
        EXPECT_EQ(ExtrasStore::counter(kStepsCounter, 1).value, c.expected);
    }
}

TEST(ExtrasCounters, OnlyAPositiveStoredGoalCounts) {
    test::FreshStorage storage;
    EXPECT_EQ(ExtrasStore::stepsGoal(), 10000);
    EXPECT_EQ(ExtrasStore::waterGoal(), 8);
    const std::tuple<std::int64_t, std::int64_t, std::int64_t> goals[] = {
        {0, 10000, 8}, {-1, 10000, 8}, {12, 12, 12}, {kMax, kMax, kMax}};
    for (const auto& [stored, steps, water] : goals) {
        SharedStorage::setInteger(StorageKeys::stepsGoal, stored);
        SharedStorage::setInteger(StorageKeys::waterGoal, stored);
        EXPECT_EQ(ExtrasStore::stepsGoal(), steps) << stored;
        EXPECT_EQ(ExtrasStore::waterGoal(), water) << stored;
    }
}

TEST(ExtrasHabits, TheWeekStartsOnMondayAndCountsOnlyItsOwnDays) {
    test::FreshStorage storage;
    // Monday 7 December 2026; the Sunday before is the 6th.
    const std::vector<HabitItem> stored{
        {kId, "Run", {"2026-12-06"}},
        {Uuid::random(), "Read", {"2026-12-06", "2026-12-07", "2026-12-13", "2026-12-14"}},
        {Uuid::random(), "No sugar", {}},
    };
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, stored));
    struct Case {
        Date now;
        std::int64_t run, read;
    };
    const Case cases[] = {
        {time::dateFrom(2026, 12, 6, 23, 59, 0), 1, 1},   // Sunday: the week of Monday the 30th
        {time::dateFrom(2026, 12, 7, 0, 0, 0), 0, 2},     // Monday: Sunday the 6th no longer counts
        {time::dateFrom(2026, 12, 13, 23, 59, 0), 0, 2},  // Sunday the 13th closes the same week
    };
    for (const auto& c : cases) {
        FixedMoment at(c.now, "UTC");
        const auto rows = ExtrasStore::habitWeek();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (HabitWeekRow{kId, "Run", c.run, 7}));
        EXPECT_EQ(rows[1].done, c.read);
        EXPECT_EQ(rows[2].name, "No sugar");
        for (const auto& r : rows) EXPECT_EQ(r.total, 7);
    }
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, std::vector<HabitItem>{}));
    EXPECT_TRUE(ExtrasStore::habitWeek().empty());  // a stored empty list is no habits, not the samples
}

TEST(ExtrasHabits, WithNothingStoredTheSamplesAreListedAndAToggleStoresThem) {
    test::FreshStorage storage;
    FixedMoment at(time::dateFrom(2026, 12, 9, 12, 0, 0), "UTC");
    const auto& samples = HabitItem::samples();
    ASSERT_EQ(samples.size(), 3u);
    const auto rows = ExtrasStore::habitWeek();
    ASSERT_EQ(rows.size(), 3u);
    const char* names[] = {"Run", "Read", "No sugar"};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i], (HabitWeekRow{samples[i].id, names[i], 0, 7}));
    EXPECT_FALSE(ExtrasStore::habits());

    ExtrasStore::toggleHabitToday(Uuid::random());  // in no list: nothing is written
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::habits));

    ExtrasStore::toggleHabitToday(samples[1].id);
    auto list = ExtrasStore::habits();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[1].checkins, (std::set<std::string>{"2026-12-09"}));
    EXPECT_TRUE((*list)[0].checkins.empty());
    EXPECT_EQ(ExtrasStore::habitWeek()[1].done, 1);
}

TEST(ExtrasHabits, ToggledTwiceOnOneDayTheCheckInsAreAsBeforeAndStoredBothTimes) {
    test::FreshStorage storage;
    FixedMoment at(time::dateFrom(2026, 12, 9, 12, 0, 0), "UTC");
    const std::vector<HabitItem> before{{kId, "Run", {"2026-12-01"}}, {Uuid::random(), "Read", {}}};
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, before));

    ExtrasStore::toggleHabitToday(kId);
    EXPECT_EQ((*ExtrasStore::habits())[0].checkins, (std::set<std::string>{"2026-12-01", "2026-12-09"}));
    SharedStorage::remove(StorageKeys::habits);
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, std::vector<HabitItem>{{kId, "Run", {"2026-12-01", "2026-12-09"}}, before[1]}));
    ExtrasStore::toggleHabitToday(kId);
    EXPECT_EQ(*ExtrasStore::habits(), before);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::habits), coding::encode(before));
}

TEST(ExtrasHabits, AnUnreadableListIsKeptAsideBeforeTheSamplesAreWrittenOverIt) {
    test::FreshStorage storage;
    FixedMoment at(time::dateFrom(2026, 12, 9, 12, 0, 0), "UTC");
    const auto& sample = HabitItem::samples()[0];
    auto suite = SharedStorage::suite();

    // A habit of the user's that is not in the samples: nothing is written at all.
    const std::string damaged = R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Swim"}])";
    suite.setData(StorageKeys::habits, damaged);
    ExtrasStore::toggleHabitToday(kId);
    EXPECT_EQ(suite.data(StorageKeys::habits), damaged);
    EXPECT_FALSE(suite.contains(ExtrasStore::kUnreadableHabitsKey));

    // A sample's button: the damaged list is kept aside, then the samples replace it.
    ExtrasStore::toggleHabitToday(sample.id);
    EXPECT_EQ(suite.data(ExtrasStore::kUnreadableHabitsKey), damaged);
    auto list = ExtrasStore::habits();
    ASSERT_TRUE(list);
    EXPECT_EQ((*list)[0].checkins, (std::set<std::string>{"2026-12-09"}));

    // A later unreadable value replaces the older one kept aside.
    suite.setData(StorageKeys::habits, "not json");
    ExtrasStore::toggleHabitToday(sample.id);
    EXPECT_EQ(suite.data(ExtrasStore::kUnreadableHabitsKey), "not json");
    EXPECT_TRUE(ExtrasStore::habits());
}

// The stored value under `key` as SQLite holds it: its type and its literal.
std::string rawValue(const std::string& key) {
    sqlite3* db = nullptr;
    sqlite3_stmt* s = nullptr;
    std::string out = "absent";
    if (sqlite3_open(SharedStorage::suite().path().c_str(), &db) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT typeof(value) || ' ' || quote(value) FROM kv WHERE key = ?1", -1, &s, nullptr) ==
            SQLITE_OK) {
        sqlite3_bind_text(s, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(s) == SQLITE_ROW) out = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

void storeRaw(const std::string& key, const std::string& literal) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(SharedStorage::suite().path().c_str(), &db), SQLITE_OK);
    const std::string sql = "INSERT OR REPLACE INTO kv (key, value) VALUES ('" + key + "', " + literal + ")";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Habits or a usage log stored as text, a number or null read as absent, but
// they are the user's data all the same: kept aside, exactly, before the
// first write replaces them.
TEST(UnreadableRecords, AValueOfAnotherSqliteTypeIsKeptAsideBeforeTheFirstWrite) {
    FixedMoment at(time::dateFrom(2026, 12, 9, 12, 0, 0), "UTC");
    struct Record {
        const char* key;
        const char* aside;
        void (*write)();
    };
    const Record records[] = {
        {StorageKeys::habits, ExtrasStore::kUnreadableHabitsKey,
         [] { EXPECT_TRUE(ExtrasStore::toggleHabitToday(HabitItem::samples()[0].id)); }},
        {StorageKeys::usage, UsageLog::kUnreadableUsageKey, [] { UsageLog::add(30, "Mail", time::now()); }},
    };
    const std::pair<const char*, const char*> types[] = {
        {"'[{\"name\":\"Run\"}]'", "text '[{\"name\":\"Run\"}]'"},
        {"42", "integer 42"},
        {"2.5", "real 2.5"},
        {"NULL", "null NULL"},
    };
    for (const auto& r : records) {
        for (const auto& [literal, kept] : types) {
            SCOPED_TRACE(std::string(r.key) + " as " + kept);
            test::FreshStorage storage;
            storeRaw(r.key, literal);
            r.write();
            EXPECT_EQ(rawValue(r.aside), kept);
            EXPECT_EQ(rawValue(r.key).rfind("blob ", 0), 0u) << "the new record is written in its place";
        }
    }
}

TEST(ExtrasFocusAndStopwatch, ReadsFallBackAndUpdatesKeepTheOldValueWhenTheNewOneCannotBeStored) {
    test::FreshStorage storage;
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{std::nullopt, 25}));
    EXPECT_EQ(ExtrasStore::stopwatch(), StopwatchState{});

    // Unreadable state reads as absent, and an update starts from the defaults.
    SharedStorage::suite().setData(StorageKeys::focus, R"({"endDate":1})");
    SharedStorage::suite().setData(StorageKeys::stopwatch, R"({"startDate":1,"laps":null})");
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{std::nullopt, 25}));
    EXPECT_EQ(ExtrasStore::stopwatch(), StopwatchState{});
    FocusSession seenFocus{Date{1}, 1};
    ExtrasStore::updateFocus([&](FocusSession s) {
        seenFocus = s;
        s.minutes = 50;
        return s;
    });
    EXPECT_EQ(seenFocus, (FocusSession{std::nullopt, 25}));
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::focus), R"({"minutes":50})");
    ExtrasStore::updateStopwatch([](StopwatchState s) {
        s.laps.push_back(1.5);
        return s;
    });
    EXPECT_EQ(ExtrasStore::stopwatch(), (StopwatchState{std::nullopt, {1.5}}));

    // A date that cannot be encoded leaves the stored record as it was.
    ExtrasStore::updateFocus([](FocusSession s) {
        s.endDate = Date{std::nan("")};
        return s;
    });
    ExtrasStore::updateStopwatch([](StopwatchState s) {
        s.laps.push_back(INFINITY);
        return s;
    });
    ExtrasStore::setStopwatch(StopwatchState{Date{INFINITY}, {}});
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::focus), R"({"minutes":50})");
    EXPECT_EQ(ExtrasStore::stopwatch(), (StopwatchState{std::nullopt, {1.5}}));
}

} // namespace
} // namespace plyx
