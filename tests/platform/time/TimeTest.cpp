#include "platform/time/Time.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

struct LocaleGuard {
    ~LocaleGuard() {
        time::setCurrentLocale("en_US");
        time::setCurrentZone("UTC");
        time::setClock({});
    }
};

TEST(Time, InjectedClock) {
    LocaleGuard g;
    time::setClock([] { return Date{1000.5}; });
    EXPECT_EQ(time::now(), Date{1000.5});
    time::setClock({});
    EXPECT_GT(time::now().sinceReferenceDate, 7.0e8);
}

TEST(Time, ComponentsAndDayArithmeticInAZone) {
    LocaleGuard g;
    // 2026-03-29 01:30 UTC is 03:30 summer time in Berlin, the day the clocks change.
    const Date d = time::dateFrom(2026, 3, 29, 1, 30, 0, "UTC");
    const auto c = time::components(d, "Europe/Berlin");
    EXPECT_EQ(c.year, 2026);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 29);
    EXPECT_EQ(c.hour, 3);
    EXPECT_EQ(c.weekday, 1); // Sunday
    EXPECT_EQ(time::secondsFromGMT(d, "Europe/Berlin"), 7200);
    const Date start = time::startOfDay(d, "Europe/Berlin");
    EXPECT_EQ(time::components(start, "Europe/Berlin").hour, 0);
    EXPECT_EQ(d - start, 2.5 * 3600); // the lost hour is not counted
    EXPECT_EQ(time::addingDays(start, 1, "Europe/Berlin") - start, 23 * 3600);
    EXPECT_EQ(time::components(time::startOfWeek(d, 2, "Europe/Berlin"), "Europe/Berlin").day, 23);
    EXPECT_EQ(time::components(time::startOfWeek(d, 1, "Europe/Berlin"), "Europe/Berlin").day, 29);
}

TEST(Time, DayKeysAreGregorianAsciiWhateverTheLocale) {
    LocaleGuard g;
    time::setCurrentZone("Asia/Tokyo");
    const Date d = time::dateFrom(2026, 12, 31, 23, 30, 0, "UTC"); // 2027-01-01 in Tokyo
    for (const char* locale : {"en_US", "ar_EG", "th_TH@calendar=buddhist", "ja_JP@calendar=japanese", "fa_IR"}) {
        time::setCurrentLocale(locale);
        EXPECT_EQ(time::dayKey(d), "2027-01-01") << locale;
    }
    // The user's own formatting does follow the locale (Buddhist era year here).
    time::setCurrentLocale("th_TH@calendar=buddhist");
    EXPECT_EQ(time::format(d, "y", {}, "th_TH@calendar=buddhist"), "2570");
    auto back = time::parseDayKey("2027-01-01");
    ASSERT_TRUE(back);
    EXPECT_EQ(time::dayKey(*back), "2027-01-01");
    EXPECT_EQ(time::components(*back).hour, 0);
    for (const char* bad : {"2027-02-30", "2027-1-01", "20270101", "2027-01-01x", ""})
        EXPECT_FALSE(time::parseDayKey(bad)) << bad;
}

TEST(Time, FormatsByPatternAndSkeleton) {
    LocaleGuard g;
    const Date d = time::dateFrom(2026, 12, 10, 15, 4, 0, "UTC");
    EXPECT_EQ(time::format(d, "HH:mm", "Asia/Kolkata", "en_US"), "20:34");
    EXPECT_EQ(time::formatPOSIX(d, "EEE yyyy-MM-dd", "UTC"), "Thu 2026-12-10");
    EXPECT_NE(time::bestPattern("j", "en_US").find('h'), std::string::npos);
    EXPECT_NE(time::bestPattern("j", "de_DE").find('H'), std::string::npos);
    EXPECT_EQ(time::firstWeekday("en_US"), 1);
    EXPECT_EQ(time::firstWeekday("de_DE"), 2);
    EXPECT_TRUE(time::isKnownZone("America/New_York"));
    EXPECT_FALSE(time::isKnownZone("Mars/Olympus"));
}

} // namespace
} // namespace plyx
