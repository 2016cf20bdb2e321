#include "platform/coding/Coding.h"
#include "platform/time/Time.h"
#include "shared/sources/WeatherProvider.h"
#include "tests/support/TestSupport.h"
#include "tests/support/http/WebSourcesTest.h"

#include <gtest/gtest.h>

namespace wp = plyx::WeatherProvider;
using plyx::Date;
using plyx::WeatherSnapshot;
using plyx::test::FakeClock;

namespace {

Date utc(int y, int mo, int d, int h = 0, int mi = 0) { return plyx::time::dateFrom(y, mo, d, h, mi, 0, "UTC"); }

std::vector<std::optional<std::string>> hoursFrom(int firstHour, int count) {
    std::vector<std::optional<std::string>> out;
    for (int h = firstHour; h < firstHour + count; ++h) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "2026-05-05T%02d:00", h);
        out.emplace_back(buf);
    }
    return out;
}

// An answer with current values only; tests fill the arrays they look at.
wp::APIResponse answer() {
    wp::APIResponse a;
    a.current = {14.5, 12.4, 3, 1};
    a.timezone = "GMT";
    return a;
}

std::vector<double> chancesOf(const WeatherSnapshot& s) {
    std::vector<double> out;
    for (const auto& h : s.rainHours) out.push_back(h.chance);
    return out;
}
std::vector<std::string> labelsOf(const WeatherSnapshot& s) {
    std::vector<std::string> out;
    for (const auto& h : s.rainHours) out.push_back(h.label);
    return out;
}
int peakIndex(const std::vector<WeatherSnapshot::RainHour>& v) {
    int found = -1;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i].isPeak) {
            if (found >= 0) return -2; // more than one peak
            found = static_cast<int>(i);
        }
    return found;
}

} // namespace

TEST(ForecastCondition, TextTable) {
    const struct {
        std::int64_t code;
        bool isDay;
        const char* text;
    } cases[] = {
        {0, true, "Clear sky"},   {0, false, "Clear night"}, {1, false, "Clear night"}, {2, false, "Partly cloudy"},
        {3, true, "Overcast"},    {48, false, "Fog"},        {55, true, "Drizzle"},     {57, true, "Freezing drizzle"},
        {63, false, "Rain"},      {67, true, "Freezing rain"}, {77, true, "Snow"},      {82, false, "Showers"},
        {95, true, "Thunderstorm"}, {96, false, "Hail storm"}, {99, true, "Hail storm"}, {4, true, "\u2014"},
        {100, false, "\u2014"},   {-1, true, "\u2014"},      {84, true, "\u2014"},      {98, true, "\u2014"},
    };
    for (const auto& c : cases) EXPECT_EQ(wp::conditionText(c.code, c.isDay), c.text) << c.code << " " << c.isDay;

    // The two texts of their own: the same by day and night for 85/86, and
    // unlike every other row.
    EXPECT_EQ(wp::conditionText(85, true), wp::conditionText(86, false));
    const std::string mainlyClear = wp::conditionText(1, true);
    const std::string snowShowers = wp::conditionText(85, true);
    EXPECT_NE(mainlyClear, snowShowers);
    for (const std::int64_t other : {0, 2, 3, 45, 51, 56, 61, 66, 71, 80, 95, 96, 4})
        for (const bool day : {true, false}) {
            EXPECT_NE(wp::conditionText(other, day), mainlyClear) << other;
            EXPECT_NE(wp::conditionText(other, day), snowShowers) << other;
        }
}

TEST(ForecastDerivation, CurrentValuesRoundHalvesAwayFromZero) {
    FakeClock clock(utc(2026, 5, 5, 10, 30));
    auto a = answer();
    a.current = {2.5, -2.5, 0, 1};
    a.daily.time = {"2026-05-05"};
    a.daily.temperature_2m_max = {2.49};
    a.daily.temperature_2m_min = {-2.49};
    const auto s = wp::deriveSnapshot(a, "Somewhere", true);
    EXPECT_EQ(s.place, "Somewhere");
    EXPECT_EQ(s.temperature, 3);
    EXPECT_EQ(s.feelsLike, -3);
    EXPECT_EQ(s.high, 2);
    EXPECT_EQ(s.low, -2);
    EXPECT_TRUE(s.days.empty()); // one daily entry is today alone
    EXPECT_EQ(s.condition, "Clear sky");
    EXPECT_FALSE(s.isNight);
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.updated, clock.now());

    a.current = {0, 0, 1, 0};
    a.daily = {};
    const auto night = wp::deriveSnapshot(a, "x", true);
    EXPECT_EQ(night.condition, "Clear night");
    EXPECT_TRUE(night.isNight);
    EXPECT_EQ(night.high, 0);
    EXPECT_EQ(night.low, 0);
    EXPECT_TRUE(night.days.empty());

    // Only 1 is daylight and only 0 is night.
    a.current = {0, 0, 0, 2};
    const auto odd = wp::deriveSnapshot(a, "x", true);
    EXPECT_EQ(odd.condition, "Clear night");
    EXPECT_FALSE(odd.isNight);
}

TEST(ForecastDerivation, DaysSkipTodayAndPeakOnTheFirstWarmest) {
    FakeClock clock(utc(2026, 5, 5, 10, 30));
    auto a = answer();
    // Today (Tuesday), then Wednesday..., an unreadable day, and an eighth day never read.
    a.daily.time = {"2026-05-05", "2026-05-06", "2026-05-07", "2026-05-08", "2026-05-32",
                    "2026-05-10", "2026-05-11", "2026-05-12"};
    a.daily.temperature_2m_max = {15, 20, 22, 21.6, 40, 19, 18, 50};
    a.daily.temperature_2m_min = {5, 9, 10, 11, 0, 7.5, -0.5, 0};
    const auto s = wp::deriveSnapshot(a, "x", true);
    ASSERT_EQ(s.days.size(), 5u);
    const std::vector<WeatherSnapshot::Day> expected = {
        {"Wed", 20, 9, false}, {"Thu", 22, 10, true}, {"Fri", 22, 11, false},
        {"Sun", 19, 8, false}, {"Mon", 18, -1, false},
    };
    EXPECT_EQ(s.days, expected);
    EXPECT_EQ(s.high, 15);
    EXPECT_EQ(s.low, 5);
}

TEST(ForecastDerivation, DayLabelsFollowTheLocale) {
    FakeClock clock(utc(2026, 5, 5, 10, 30));
    plyx::time::setCurrentLocale("de_DE");
    auto a = answer();
    a.daily.time = {"2026-05-05", "2026-05-06"};
    a.daily.temperature_2m_max = {1, 2};
    a.daily.temperature_2m_min = {0, 0};
    const auto s = wp::deriveSnapshot(a, "x", true);
    plyx::time::setCurrentLocale("en_US");
    ASSERT_EQ(s.days.size(), 1u);
    EXPECT_EQ(s.days[0].label, "Mi.");
}

TEST(ForecastDerivation, RainBarsEverySecondHourFromTheFirstHourNotBeforeNow) {
    FakeClock clock(utc(2026, 5, 5, 10, 30));
    auto a = answer();
    a.hourly.time = hoursFrom(8, 8); // 08:00 ... 15:00; the window starts at 11:00
    a.hourly.precipitation_probability = {100, 100, 100, 45, 90, 30, 10, 80};
    const auto s = wp::deriveSnapshot(a, "x", true);
    EXPECT_EQ(chancesOf(s), (std::vector<double>{0.45, 0.3, 0.8}));
    EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"11", "13", "15"}));
    EXPECT_DOUBLE_EQ(s.rainChance, 0.8);
    EXPECT_EQ(peakIndex(s.rainHours), 2);

    // 12-hour labels: the bare hour.
    const auto twelve = wp::deriveSnapshot(a, "x", false);
    EXPECT_EQ(labelsOf(twelve), (std::vector<std::string>{"11", "1", "3"}));
}

TEST(ForecastDerivation, DryForecastGivesSevenFloorBarsAndFirstPeak) {
    FakeClock clock(utc(2026, 5, 5, 0, 0));
    auto a = answer();
    a.hourly.time = hoursFrom(0, 24);
    a.hourly.precipitation_probability.assign(24, 0);
    const auto s = wp::deriveSnapshot(a, "x", true);
    EXPECT_EQ(chancesOf(s), std::vector<double>(7, 0.06));
    EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"00", "02", "04", "06", "08", "10", "12"}));
    EXPECT_EQ(s.rainChance, 0.0);
    EXPECT_EQ(peakIndex(s.rainHours), 0);
}

TEST(ForecastDerivation, RainWindowEdges) {
    auto a = answer();
    a.hourly.time = hoursFrom(0, 6);
    a.hourly.precipitation_probability = {10, 20, 30, 40, 50, 60};

    // Past the last hour: the window starts at the first hour of the answer.
    {
        FakeClock clock(utc(2026, 5, 6, 0, 0));
        EXPECT_EQ(labelsOf(wp::deriveSnapshot(a, "x", true)), (std::vector<std::string>{"00", "02", "04"}));
    }
    // Unreadable hours are passed over when finding the start and make no bar.
    {
        FakeClock clock(utc(2026, 5, 5, 0, 30));
        auto b = a;
        b.hourly.time[1] = "2026-05-05 01:00";
        b.hourly.time[3] = "2026-05-05T25:00";
        const auto s = wp::deriveSnapshot(b, "x", true);
        EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"02", "04"}));
        EXPECT_DOUBLE_EQ(s.rainChance, 0.5);
    }
    // Hours are wall-clock times of the answer's zone: 09:00 in Tokyo is 00:00 UTC.
    {
        FakeClock clock(utc(2026, 5, 5, 0, 30));
        auto b = a;
        b.timezone = "Asia/Tokyo";
        b.hourly.time = hoursFrom(8, 6);
        EXPECT_EQ(labelsOf(wp::deriveSnapshot(b, "x", true)), (std::vector<std::string>{"10", "12"}));
        b.timezone = "Not/AZone"; // our own zone (UTC) instead: every hour is ahead
        EXPECT_EQ(labelsOf(wp::deriveSnapshot(b, "x", true)), (std::vector<std::string>{"08", "10", "12"}));
    }
}

TEST(ForecastDerivation, ShortArraysLeaveUnmatchedDaysAndHoursOut) {
    FakeClock clock(utc(2026, 5, 5, 0, 0));
    auto a = answer();
    a.daily.time = {"2026-05-05", "2026-05-06", "2026-05-07", "2026-05-08"};
    a.daily.temperature_2m_max = {10, 11, 12};
    a.daily.temperature_2m_min = {1, 2};
    a.hourly.time = hoursFrom(0, 13);
    a.hourly.precipitation_probability = {10, 0, 20, 0, 90};
    const auto s = wp::deriveSnapshot(a, "x", true);
    ASSERT_EQ(s.days.size(), 1u);
    EXPECT_EQ(s.days[0].label, "Wed");
    EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"00", "02", "04"}));
    EXPECT_DOUBLE_EQ(s.rainChance, 0.9);

    a.daily.temperature_2m_max.clear();
    a.hourly.precipitation_probability.clear();
    const auto empty = wp::deriveSnapshot(a, "x", true);
    EXPECT_TRUE(empty.days.empty());
    EXPECT_TRUE(empty.rainHours.empty());
    EXPECT_EQ(empty.high, 0);
    EXPECT_EQ(empty.low, 1);
}

TEST(ForecastAnswer, DecodesTheServiceFormStrictly) {
    const std::string body = plyx::test::readFile(std::filesystem::path(PLYX_FIXTURES) / "forecast.json");
    const auto a = wp::decodeAnswer(body);
    EXPECT_EQ(a.timezone, "GMT");
    EXPECT_EQ(a.current.weather_code, 3);
    EXPECT_EQ(a.hourly.time.size(), 24u);
    EXPECT_EQ(a.daily.temperature_2m_min.size(), 7u);

    const char* bad[] = {
        "",
        "<html>busy</html>",
        "[]",
        // a null outside the arrays
        R"({"current":{"temperature_2m":null,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":[],"temperature_2m_min":[]},
            "hourly":{"time":[],"precipitation_probability":[]},"timezone":"GMT"})",
        R"({"current":{"temperature_2m":1,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":null,"hourly":{"time":[],"precipitation_probability":[]},"timezone":"GMT"})",
        // an array element of the wrong type
        R"({"current":{"temperature_2m":1,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":[],"temperature_2m_min":[]},
            "hourly":{"time":["2026-05-05T00:00"],"precipitation_probability":["5"]},"timezone":"GMT"})",
        // a null array in place of an array
        R"({"current":{"temperature_2m":1,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":null,"temperature_2m_min":[]},
            "hourly":{"time":[],"precipitation_probability":[]},"timezone":"GMT"})",
        // no timezone
        R"({"current":{"temperature_2m":1,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":[],"temperature_2m_min":[]},
            "hourly":{"time":[],"precipitation_probability":[]}})",
        // a fractional weather code
        R"({"current":{"temperature_2m":1,"apparent_temperature":1,"weather_code":2.5,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":[],"temperature_2m_min":[]},
            "hourly":{"time":[],"precipitation_probability":[]},"timezone":"GMT"})",
        // a temperature with no whole-degree value of 64 bits
        R"({"current":{"temperature_2m":1e300,"apparent_temperature":1,"weather_code":0,"is_day":1},
            "daily":{"time":[],"temperature_2m_max":[],"temperature_2m_min":[]},
            "hourly":{"time":[],"precipitation_probability":[]},"timezone":"GMT"})",
    };
    for (const char* b : bad) EXPECT_THROW(wp::decodeAnswer(b), plyx::coding::DecodeError) << b;
}

// The service writes null where its models have no value, keeping every
// array at full length. Those days and hours are left out; the rest of the
// answer still makes a snapshot.
TEST(ForecastAnswer, NullsInTheArraysLeaveThoseDaysAndHoursOut) {
    FakeClock clock(utc(2026, 5, 5, 10, 30));
    const std::string body = plyx::test::readFile(std::filesystem::path(PLYX_FIXTURES) / "forecast-nulls.json");
    const auto a = wp::decodeAnswer(body);
    ASSERT_EQ(a.hourly.precipitation_probability.size(), 24u);
    EXPECT_EQ(a.hourly.precipitation_probability[13], std::nullopt);
    EXPECT_EQ(a.daily.temperature_2m_max[2], std::nullopt);

    const auto s = wp::deriveSnapshot(a, "London", false);
    // Thursday lacks its high, Sunday its low, Monday both.
    const std::vector<WeatherSnapshot::Day> days = {
        {"Wed", 20, 9, false}, {"Fri", 22, 11, true}, {"Sat", 19, -3, false}};
    EXPECT_EQ(s.days, days);
    EXPECT_EQ(s.high, 17);
    EXPECT_EQ(s.low, 9);
    // From 11:00 every second hour; 13:00, 21:00 and 23:00 have no chance.
    EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"11", "3", "5", "7"}));
    EXPECT_EQ(chancesOf(s), (std::vector<double>{0.45, 0.8, 0.06, 0.06}));
    EXPECT_DOUBLE_EQ(s.rainChance, 0.8);
    EXPECT_EQ(peakIndex(s.rainHours), 1);

    // Null dates pass unseen too, and a null first entry gives today 0.
    auto b = a;
    b.daily.time[1] = std::nullopt;
    b.daily.temperature_2m_max[0] = std::nullopt;
    b.hourly.time[11] = std::nullopt;
    const auto t = wp::deriveSnapshot(b, "London", false);
    EXPECT_EQ(t.days.front().label, "Fri");
    EXPECT_EQ(t.high, 0);
    EXPECT_EQ(t.low, 9);
    EXPECT_EQ(labelsOf(t), (std::vector<std::string>{"12", "2", "4", "6", "8", "10"}));
}
