#include "platform/events/ZoneCalendars.h"

#include "platform/time/Time.h"

#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <cmath>

namespace plyx::events::detail {

ZoneCalendars::ZoneCalendars() : current_(time::currentZone()) {}

ZoneCalendars::~ZoneCalendars() = default;

bool ZoneCalendars::knows(const std::string& zoneId) {
    if (auto it = known_.find(zoneId); it != known_.end()) return it->second;
    std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    const bool known = tz && *tz != icu::TimeZone::getUnknown();
    known_.emplace(zoneId, known);
    return known;
}

icu::Calendar& ZoneCalendars::calendar(const std::string& zoneId) {
    const std::string& id = zoneId.empty() ? current_ : zoneId;
    auto it = calendars_.find(id);
    if (it != calendars_.end()) return *it->second;
    UErrorCode status = U_ZERO_ERROR;
    auto cal = std::make_unique<icu::GregorianCalendar>(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(id)), icu::Locale::getRoot(), status);
    // Proleptic Gregorian, as calendar files count days.
    cal->setGregorianChange(-8.64e15, status);
    return *calendars_.emplace(id, std::move(cal)).first->second;
}

Date ZoneCalendars::date(const WallClock& w, const std::string& zoneId) {
    icu::Calendar& cal = calendar(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    cal.clear();
    cal.set(UCAL_EXTENDED_YEAR, w.year);
    cal.set(UCAL_MONTH, w.month - 1);
    cal.set(UCAL_DATE, w.day);
    cal.set(UCAL_HOUR_OF_DAY, w.hour);
    cal.set(UCAL_MINUTE, w.minute);
    cal.set(UCAL_SECOND, w.second);
    return Date::fromUnixMillis(cal.getTime(status));
}

WallClock ZoneCalendars::wall(Date moment, const std::string& zoneId) {
    icu::Calendar& cal = calendar(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    cal.setTime(std::floor(moment.unixMillis()), status);
    return {cal.get(UCAL_EXTENDED_YEAR, status), cal.get(UCAL_MONTH, status) + 1, cal.get(UCAL_DATE, status),
            cal.get(UCAL_HOUR_OF_DAY, status), cal.get(UCAL_MINUTE, status), cal.get(UCAL_SECOND, status)};
}

} // namespace plyx::events::detail
