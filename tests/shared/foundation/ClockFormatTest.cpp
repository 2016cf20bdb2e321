#include "shared/foundation/ClockFormat.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

struct LocaleGuard {
    explicit LocaleGuard(const std::string& id) { time::setCurrentLocale(id); }
    ~LocaleGuard() { time::setCurrentLocale("en_US"); }
};

// The setting against a locale that prefers 24-hour time and one that prefers 12.
TEST(ClockFormat, SettingOverridesTheLocaleOnlyFor12And24) {
    test::FreshStorage fresh;
    struct Case {
        std::optional<int> setting;
        const char* locale;
        bool want24;
    };
    const Case cases[] = {
        {12, "de_DE", false}, {24, "de_DE", true}, {0, "de_DE", true}, {13, "de_DE", true}, {std::nullopt, "de_DE", true},
        {12, "en_US", false}, {24, "en_US", true}, {0, "en_US", false}, {13, "en_US", false}, {std::nullopt, "en_US", false},
        {0, "ja_JP", true}, {-24, "en_GB", true},
    };
    for (const auto& c : cases) {
        LocaleGuard locale(c.locale);
        if (c.setting) SharedStorage::setInteger(StorageKeys::timeFormat, *c.setting);
        else SharedStorage::remove(StorageKeys::timeFormat);
        EXPECT_EQ(ClockFormat::uses24Hour(), c.want24) << c.locale << " setting " << c.setting.value_or(-1);
    }
}

// With no setting, the locale for times decides: LC_ALL, then LC_TIME, then
// LANG. The locale for messages has no say, and the C locale is 24-hour.
TEST(ClockFormat, TheTimeLocaleOfTheEnvironmentDecides) {
    test::FreshStorage fresh;
    LocaleGuard environment(""); // no override: the environment's locale
    struct Case {
        std::optional<std::string> lcAll, lcTime, lang;
        bool want24;
    };
    using std::nullopt;
    const Case cases[] = {
        {nullopt, "en_GB.UTF-8", "en_US.UTF-8", true},
        {nullopt, "en_US.UTF-8", "en_GB.UTF-8", false},
        {"", "en_GB.UTF-8", "en_US.UTF-8", true},     // an empty variable is not set
        {"en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8", false},
        {"de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", true},
        {nullopt, nullopt, "en_US.UTF-8", false},
        {nullopt, nullopt, "C.UTF-8", true},
        {nullopt, "C", "en_US.UTF-8", true},
        {"POSIX", nullopt, nullopt, true},
        {nullopt, nullopt, nullopt, true},            // nothing set is the C locale
        {nullopt, "de_DE@euro", "en_US.UTF-8", true},
        {nullopt, "ja_JP.eucJP", "C.UTF-8", true},
        {nullopt, "ko_KR.UTF-8", "C.UTF-8", false},
    };
    for (const auto& c : cases) {
        test::ScopedEnv all("LC_ALL", c.lcAll), timeCategory("LC_TIME", c.lcTime), lang("LANG", c.lang);
        test::ScopedEnv messages("LC_MESSAGES", c.want24 ? "en_US.UTF-8" : "en_GB.UTF-8");
        EXPECT_EQ(ClockFormat::uses24Hour(), c.want24)
            << c.lcAll.value_or("-") << " " << c.lcTime.value_or("-") << " " << c.lang.value_or("-");
    }
    // The setting still wins over the environment.
    test::ScopedEnv timeCategory("LC_TIME", "C.UTF-8");
    SharedStorage::setInteger(StorageKeys::timeFormat, 12);
    EXPECT_FALSE(ClockFormat::uses24Hour());
}

TEST(ClockFormat, StringsIn12And24HourForm) {
    test::FreshStorage fresh;
    const Date t1307 = time::dateFrom(2026, 3, 9, 13, 7, 0, "UTC");
    const Date t0005 = time::dateFrom(2026, 3, 9, 0, 5, 0, "UTC");
    const Date t0905 = time::dateFrom(2026, 3, 9, 9, 5, 0, "UTC");
    const Date t2140 = time::dateFrom(2026, 3, 9, 21, 40, 0, "UTC");

    {
        LocaleGuard locale("de_DE");
        SharedStorage::setInteger(StorageKeys::timeFormat, 12);
        EXPECT_EQ(ClockFormat::hhmm(t1307, "UTC"), "1:07");
        EXPECT_EQ(ClockFormat::hhmm(t0005, "UTC"), "12:05");
        EXPECT_EQ(ClockFormat::parts(t0905, "UTC"), (ClockFormat::Parts{"9", "05"}));
        EXPECT_EQ(ClockFormat::parts(t2140, "UTC"), (ClockFormat::Parts{"9", "40"}));
    }
    {
        LocaleGuard locale("en_US");
        SharedStorage::setInteger(StorageKeys::timeFormat, 24);
        EXPECT_EQ(ClockFormat::hhmm(t0005, "UTC"), "00:05");
        EXPECT_EQ(ClockFormat::parts(t0005, "UTC"), (ClockFormat::Parts{"00", "05"}));
        EXPECT_EQ(ClockFormat::parts(t2140, "UTC"), (ClockFormat::Parts{"21", "40"}));
    }
    // Digits stay ASCII whatever the locale's numbering system.
    {
        LocaleGuard locale("ar_EG");
        SharedStorage::setInteger(StorageKeys::timeFormat, 24);
        EXPECT_EQ(ClockFormat::hhmm(t2140, "UTC"), "21:40");
    }
}

TEST(ClockFormat, FormatsInTheZonePassedNeverTheProcessZone) {
    test::FreshStorage fresh;
    SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    time::setCurrentZone("America/New_York");
    const Date d = time::dateFrom(2026, 1, 15, 22, 30, 0, "UTC");
    EXPECT_EQ(ClockFormat::hhmm(d, "Asia/Tokyo"), "07:30");
    EXPECT_EQ(ClockFormat::hhmm(d, "Asia/Kolkata"), "04:00");
    EXPECT_EQ(ClockFormat::parts(d, "Europe/London"), (ClockFormat::Parts{"22", "30"}));
    time::setCurrentZone("UTC");
}

TEST(ClockFormat, GmtLabels) {
    const Date winter = time::dateFrom(2026, 1, 15, 12, 0, 0, "UTC");
    const Date summer = time::dateFrom(2026, 7, 15, 12, 0, 0, "UTC");
    const std::tuple<const char*, Date, const char*> cases[] = {
        {"UTC", winter, "GMT+0"},
        {"GMT-00:30", winter, "GMT-0:30"},
        {"Asia/Kolkata", winter, "GMT+5:30"},
        {"Asia/Kathmandu", winter, "GMT+5:45"},
        {"America/St_Johns", winter, "GMT-3:30"},
        {"Pacific/Marquesas", winter, "GMT-9:30"},
        {"Pacific/Kiritimati", winter, "GMT+14"},
        {"Asia/Tokyo", summer, "GMT+9"},
        {"America/New_York", winter, "GMT-5"},
        {"Europe/Berlin", winter, "GMT+1"},
        {"Europe/Berlin", summer, "GMT+2"},
    };
    for (const auto& [zone, at, want] : cases) EXPECT_EQ(ClockFormat::gmtLabel(zone, at), want) << zone;

    // Offsets in seconds: seconds beyond whole minutes are dropped, and under
    // a minute beyond the hour shows no minutes part.
    const std::pair<int, const char*> offsets[] = {
        {0, "GMT+0"}, {-1800, "GMT-0:30"}, {3600, "GMT+1"}, {-18000, "GMT-5"},
        {19859, "GMT+5:30"}, {3659, "GMT+1"}, {-3659, "GMT-1"}, {-59, "GMT-0"}, {-60, "GMT-0:01"},
    };
    for (const auto& [s, want] : offsets) EXPECT_EQ(ClockFormat::gmtLabelForOffset(s), want) << s;
}

} // namespace
} // namespace plyx
