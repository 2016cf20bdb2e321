#include "widgets/sources/local/SkyMath.h"

#include "platform/time/Time.h"
#include "shared/models/DaylightInfo.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

struct ZoneGuard {
    ~ZoneGuard() { time::setCurrentZone("UTC"); }
};

Date utc(int y, int mo, int d, int h, int mi) { return time::dateFrom(y, mo, d, h, mi, 0, "UTC"); }

TEST(SkyMath, PublishedSunExamples) {
    ZoneGuard g;
    struct Case {
        const char* zone;
        Date instant;
        bool rise;
        double lat, lon;
        std::optional<Date> expected;
    };
    const Case cases[] = {
        // Day 176 (25 June 1990) at 40.9, -74.3: UT 9.44.
        {"UTC", utc(1990, 6, 25, 12, 0), true, 40.9, -74.3, utc(1990, 6, 25, 9, 26)},
        // Same place in its own zone: the local day is the same day.
        {"America/New_York", utc(1990, 6, 25, 16, 0), true, 40.9, -74.3, utc(1990, 6, 25, 9, 26)},
        // Day 172 at 51.5, 0: 42.46 minutes are truncated, not rounded.
        {"UTC", utc(2026, 6, 21, 12, 0), true, 51.5, 0, utc(2026, 6, 21, 3, 42)},
        {"UTC", utc(2026, 6, 21, 12, 0), false, 51.5, 0, utc(2026, 6, 21, 20, 20)},
        {"Europe/London", utc(2026, 6, 21, 22, 30), false, 51.5, 0, utc(2026, 6, 21, 20, 20)},
        // Midnight sun and polar night.
        {"UTC", utc(2026, 6, 21, 12, 0), true, 78, 15, std::nullopt},
        {"UTC", utc(2026, 12, 21, 12, 0), false, 78, 15, std::nullopt},
    };
    for (const auto& c : cases) {
        time::setCurrentZone(c.zone);
        EXPECT_EQ(SkyMath::solarEvent(c.rise, c.instant, c.lat, c.lon), c.expected)
            << c.zone << " " << time::formatPOSIX(c.instant, "yyyy-MM-dd HH:mm", "UTC") << " rise " << c.rise;
    }
}

// The day is the place's own, whatever zone this computer is set to: a
// place in another zone must not get sunset before sunrise.
TEST(SkyMath, SunriseAndSunsetFollowThePlacesOwnDaySeenFromAnyZone) {
    ZoneGuard g;
    struct Place {
        const char* zone;
        double lat, lon;
        int riseMinutes, setMinutes; // local wall-clock minutes of the real events on 21 June
        const char* length;          // the day's length, to the minute
    };
    const Place places[] = {
        {"America/Los_Angeles", 34.05, -118.24, 5 * 60 + 42, 20 * 60 + 8, "14H 2"},
        {"Asia/Tokyo", 35.68, 139.69, 4 * 60 + 25, 19 * 60 + 0, "14H 3"},
    };
    for (const char* system : {"Europe/Berlin", "America/Los_Angeles"}) {
        time::setCurrentZone(system);
        for (const auto& p : places) {
            // Moments early, in the middle and late in 21 June of the place's
            // mean solar time; several lie on another day of the system zone.
            const Date solarMidnight = utc(2026, 6, 21, 0, 0) - p.lon / 15 * 3600;
            std::optional<Date> firstRise;
            for (double hours : {0.25, 6.0, 12.0, 18.0, 23.75}) {
                const Date instant = solarMidnight + hours * 3600;
                const auto rise = SkyMath::solarEvent(true, instant, p.lat, p.lon);
                const auto set = SkyMath::solarEvent(false, instant, p.lat, p.lon);
                ASSERT_TRUE(rise && set) << system << " " << p.zone;
                EXPECT_LT(*rise, *set) << system << " " << p.zone << " " << hours;
                for (Date event : {*rise, *set}) {
                    EXPECT_GE(event, solarMidnight) << system << " " << p.zone << " " << hours;
                    EXPECT_LT(event, solarMidnight + 86400) << system << " " << p.zone << " " << hours;
                    EXPECT_EQ(time::components(event, p.zone).day, 21) << p.zone;
                    EXPECT_EQ(time::components(event, p.zone).second, 0);
                }
                auto minutes = [&](Date d) {
                    const auto l = time::components(d, p.zone);
                    return l.hour * 60 + l.minute;
                };
                EXPECT_NEAR(minutes(*rise), p.riseMinutes, 4) << p.zone;
                EXPECT_NEAR(minutes(*set), p.setMinutes, 4) << p.zone;
                const std::string length = DaylightInfo{*rise, *set, p.zone}.lengthLabel();
                EXPECT_EQ(length.substr(0, 5), p.length) << system << " " << p.zone << " " << length;
                // One answer for the whole day, from any moment of it.
                if (!firstRise) firstRise = rise;
                EXPECT_EQ(rise, firstRise) << system << " " << p.zone << " " << hours;
            }
        }
    }
    // The case that went wrong: noon in Berlin, the place Los Angeles.
    time::setCurrentZone("Europe/Berlin");
    const Date berlinNoon = time::dateFrom(2026, 6, 21, 12, 0, 0, "Europe/Berlin");
    const auto rise = SkyMath::solarEvent(true, berlinNoon, 34.05, -118.24);
    const auto set = SkyMath::solarEvent(false, berlinNoon, 34.05, -118.24);
    ASSERT_TRUE(rise && set);
    EXPECT_EQ(DaylightInfo({*rise, *set, "Los Angeles"}).lengthLabel().substr(0, 4), "14H ");
}

TEST(SkyMath, MoonRows) {
    const Date reference = Date::fromUnix(947182440);
    struct Row {
        double days;
        const char* name;
        double illuminated; // negative: not checked
        bool waxing;
        std::int64_t toFull, toNew;
    };
    const Row rows[] = {
        {0, "New Moon", 0, true, 15, 30},
        {7, "First Quarter", 0.4593, true, 8, 23},
        {20, "Waning Gibbous", -1, false, 24, 10},
        {29.3, "New Moon", -1, false, 15, 0},
        {29.530588853 * 3 + 14.8, "Full Moon", -1, false, 29, 15}, // cycles later, just past full
    };
    for (const auto& r : rows) {
        const MoonInfo m = SkyMath::moon(reference + r.days * 86400);
        EXPECT_EQ(m.phaseName, r.name) << r.days;
        if (r.illuminated >= 0) {
            EXPECT_NEAR(m.illuminated, r.illuminated, 1e-4) << r.days;
        }
        EXPECT_EQ(m.waxing, r.waxing) << r.days;
        EXPECT_EQ(m.daysToFull, r.toFull) << r.days;
        EXPECT_EQ(m.daysToNew, r.toNew) << r.days;
    }
    // Before the reference the age stays negative and falls in the first band.
    EXPECT_EQ(SkyMath::moon(reference - 86400).phaseName, "New Moon");
}

TEST(SkyMath, PhaseBandsIncludeTheirLowerBound) {
    const std::pair<double, const char*> bands[] = {
        {-0.2, "New Moon"},         {0.0329, "New Moon"},       {0.033, "Waxing Crescent"},
        {0.2159, "Waxing Crescent"}, {0.216, "First Quarter"},  {0.284, "Waxing Gibbous"},
        {0.467, "Full Moon"},       {0.5, "Full Moon"},         {0.533, "Waning Gibbous"},
        {0.716, "Last Quarter"},    {0.784, "Waning Crescent"}, {0.967, "New Moon"},
    };
    for (const auto& [p, name] : bands) EXPECT_EQ(SkyMath::phaseName(p), name) << p;
}

} // namespace
} // namespace plyx
