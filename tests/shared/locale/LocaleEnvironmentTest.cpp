// The locale variables of a Linux session against what they decide: the
// "system" temperature unit (the measurement category), the hour cycle and
// the calendar (the time category). Every case sets or clears all of them, so
// the machine's own locale has no say.
#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/views/calendar/CalendarDates.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace plyx;

namespace {

struct NoLocaleOverride {
    NoLocaleOverride() { time::setCurrentLocale(""); }
    ~NoLocaleOverride() { time::setCurrentLocale("en_US"); }
};

} // namespace

TEST(LocaleEnvironment, UnitHourCycleAndCalendarFollowTheirOwnCategories) {
    test::FreshStorage fresh;
    NoLocaleOverride environment;
    using std::nullopt;
    struct Case {
        std::optional<std::string> lcAll, lcMeasurement, lcTime, lang;
        bool fahrenheit, h24;
        const char* calendar;
    };
    const Case cases[] = {
        {nullopt, nullopt, nullopt, nullopt, false, true, "gregorian"},  // nothing set: the C locale
        {nullopt, nullopt, nullopt, "C.UTF-8", false, true, "gregorian"},
        {nullopt, "POSIX", nullopt, "en_US.UTF-8", false, false, "gregorian"},
        {nullopt, nullopt, nullopt, "en_US.UTF-8", true, false, "gregorian"},
        {nullopt, "en_US.UTF-8", nullopt, "en_GB.UTF-8", true, true, "gregorian"},
        {nullopt, "de_DE.UTF-8", nullopt, "en_US.UTF-8", false, false, "gregorian"},
        {nullopt, nullopt, "en_GB.UTF-8", "en_US.UTF-8", true, true, "gregorian"},
        {"de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8", false, true, "gregorian"},
        {"", "en_US.UTF-8", nullopt, "de_DE.UTF-8", true, true, "gregorian"},  // empty is unset
        {nullopt, nullopt, "ar_SA.UTF-8", "en_US.UTF-8", true, false, "islamic-umalqura"},
        {nullopt, nullopt, "fa_IR.UTF-8", "de_DE.UTF-8", false, true, "persian"},
        {nullopt, nullopt, nullopt, "th_TH.UTF-8", false, true, "buddhist"},
    };
    const auto& celsius = WeatherSnapshot::sample();
    WeatherConfigIntent followSystem;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lcAll.value_or("-") + " " + c.lcMeasurement.value_or("-") + " " + c.lcTime.value_or("-") +
                     " " + c.lang.value_or("-"));
        test::ScopedEnv all("LC_ALL", c.lcAll), measurement("LC_MEASUREMENT", c.lcMeasurement),
            timeCategory("LC_TIME", c.lcTime), lang("LANG", c.lang);
        // Categories with no say in any of the three, set to mislead.
        test::ScopedEnv messages("LC_MESSAGES", "ar_SA.UTF-8"), numeric("LC_NUMERIC", "en_US.UTF-8");
        EXPECT_EQ(followSystem.localized(celsius), c.fahrenheit ? celsius.inFahrenheit() : celsius);
        EXPECT_EQ(ClockFormat::uses24Hour(), c.h24);
        EXPECT_EQ(time::calendarType(), c.calendar);
    }
}
