#include "shared/stores/UsageLog.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <limits>

namespace plyx {
namespace {

using Day = UsageSnapshot::Day;
using App = UsageSnapshot::App;

class UsageLogTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    // Wednesday 2026-12-09, 15:00 UTC.
    Date now = time::dateFrom(2026, 12, 9, 15, 0, 0, "UTC");

    test::FakeClock clock{now};

    ~UsageLogTest() override { time::setCurrentZone("UTC"); }
    /// Stores the log with `days` given as offsets back from today.
    void storeDays(const std::map<int, std::map<std::string, double>>& days) {
        UsageLog::Store s;
        for (const auto& [back, apps] : days) s.days[time::dayKey(time::addingDays(now, -back))] = apps;
        UsageLog::save(s);
    }
    static std::vector<std::int64_t> minutes(const UsageSnapshot& s) {
        std::vector<std::int64_t> out;
        for (const auto& d : s.week) out.push_back(d.minutes);
        return out;
    }
    static int peakIndex(const UsageSnapshot& s) {
        for (std::size_t i = 0; i < s.week.size(); ++i)
            if (s.week[i].isPeak) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(UsageLogTest, NothingToShow) {
    EXPECT_FALSE(UsageLog::snapshot(480));
    SharedStorage::suite().setData(StorageKeys::usage, R"({"days":{"2026-12-09":{"Safari":"long"}}})");
    EXPECT_FALSE(UsageLog::snapshot(480));
    storeDays({{0, {{"Safari", 45}}}});
    EXPECT_FALSE(UsageLog::snapshot(480));
    storeDays({{7, {{"Safari", 6000}}}}); // a week ago is outside the week
    EXPECT_FALSE(UsageLog::snapshot(480));
}

TEST_F(UsageLogTest, TodayAndTheWeek) {
    storeDays({
        {0, {{"Mail", 600}, {"Safari", 3000}, {"Figma", 4000}, {"Notes", 119}, {"Music", 59}}},
        {1, {{"Safari", 600}}},
        {3, {{"Figma", 7200}}},
        {5, {{"Figma", 3600}, {"Mail", 3600}}},
        {6, {{"Safari", 119}}}, // truncated to 1, not rounded to 2
        {7, {{"Safari", 99999}}},
    });
    const auto s = UsageLog::snapshot(-5);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->budgetMinutes, -5);
    // 7778 s: the sum is taken before truncating.
    EXPECT_EQ(s->totalMinutes, 129);
    EXPECT_EQ(s->apps, (std::vector<App>{{"Figma", 66, false}, {"Safari", 50, false}, {"Mail", 10, true}}));
    EXPECT_EQ(minutes(*s), (std::vector<std::int64_t>{1, 120, 0, 120, 0, 10, 129}));
    const std::vector<std::string> labels = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    for (std::size_t i = 0; i < s->week.size(); ++i) {
        EXPECT_EQ(s->week[i].label, labels[i]);
        EXPECT_EQ(s->week[i].isToday, i == 6);
    }
    EXPECT_EQ(peakIndex(*s), 6);
}

TEST_F(UsageLogTest, EdgeCasesOfTheSnapshot) {
    // Nothing today, ten minutes yesterday: a snapshot with yesterday as the peak.
    storeDays({{1, {{"Safari", 600}}}});
    auto s = UsageLog::snapshot(480);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->totalMinutes, 0);
    EXPECT_TRUE(s->apps.empty());
    EXPECT_EQ(peakIndex(*s), 5);

    // One application, under a minute: listed, not flagged.
    storeDays({{0, {{"Safari", 59}}}, {2, {{"Mail", 120}}}});
    s = UsageLog::snapshot(480);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->apps, (std::vector<App>{{"Safari", 0, false}}));

    // A tie: the older day is the peak.
    storeDays({{4, {{"Safari", 300}}}, {2, {{"Mail", 300}}}, {0, {{"Mail", 200}}}});
    s = UsageLog::snapshot(480);
    ASSERT_TRUE(s);
    EXPECT_EQ(peakIndex(*s), 2);

    // A stored count past the integer range is held, not overflowed.
    storeDays({{0, {{"Clock", 1e300}}}});
    s = UsageLog::snapshot(480);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->totalMinutes, std::numeric_limits<std::int64_t>::max());
}

TEST_F(UsageLogTest, AddingKeepsFifteenDays) {
    UsageLog::add(30, "Safari", now);
    UsageLog::add(12.5, "Safari", now);
    UsageLog::add(60, "Mail", now - 86400);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::usage),
              R"({"days":{"2026-12-08":{"Mail":60},"2026-12-09":{"Safari":42.5}}})");

    for (int back = 2; back < 16; ++back) UsageLog::add(1, "Notes", time::addingDays(now, -back));
    auto log = UsageLog::load();
    ASSERT_EQ(log.days.size(), 15u);
    EXPECT_EQ(log.days.begin()->first, "2026-11-25");
    EXPECT_TRUE(log.days.count("2026-12-09"));

    // A sum that cannot be stored changes nothing.
    const auto before = SharedStorage::suite().data(StorageKeys::usage);
    UsageLog::add(std::numeric_limits<double>::infinity(), "Safari", now);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::usage), before);
}

TEST_F(UsageLogTest, AnUnreadableLogIsKeptAsideBeforeTheFirstAddition) {
    const std::string broken = R"({"days":{"2026-12-08":{"Mail":"sixty"}}})";
    SharedStorage::suite().setData(StorageKeys::usage, broken);
    UsageLog::add(30, "Safari", now);
    EXPECT_EQ(SharedStorage::suite().data(UsageLog::kUnreadableUsageKey), broken);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::usage), R"({"days":{"2026-12-09":{"Safari":30}}})");

    // Once the log reads again, later additions leave the kept copy alone.
    UsageLog::add(30, "Safari", now);
    EXPECT_EQ(SharedStorage::suite().data(UsageLog::kUnreadableUsageKey), broken);
    EXPECT_EQ(UsageLog::load().days.at("2026-12-09").at("Safari"), 60);
}

TEST_F(UsageLogTest, DaysAreLocal) {
    // 23:30 in Los Angeles on the 8th is the 9th in UTC.
    time::setCurrentZone("America/Los_Angeles");
    now = time::dateFrom(2026, 12, 8, 23, 30, 0, "America/Los_Angeles");
    clock.set(now);
    UsageLog::add(600, "Safari", now);
    EXPECT_TRUE(UsageLog::load().days.count("2026-12-08"));
    const auto s = UsageLog::snapshot(480);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->totalMinutes, 10);
    EXPECT_EQ(s->week.back().label, "Tue");
}

} // namespace
} // namespace plyx
