#include "platform/time/CalendarYear.h"

#include "platform/time/Time.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>

namespace plyx::time {

std::optional<YearPosition> yearPosition(Date d, const std::string& zoneId, const std::string& localeId) {
    const std::string zone = zoneId.empty() ? currentZone() : zoneId;
    const std::string locale = localeId.empty() ? currentLocale() : localeId;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone)), icu::Locale(locale.c_str()), status));
    if (U_FAILURE(status) || !cal) return std::nullopt;
    cal->setTime(d.unixMillis(), status);
    YearPosition p;
    p.year = cal->get(UCAL_YEAR, status);
    p.dayOfYear = cal->get(UCAL_DAY_OF_YEAR, status);
    p.daysInYear = cal->getActualMaximum(UCAL_DAY_OF_YEAR, status);
    if (U_FAILURE(status)) return std::nullopt;
    return p;
}

} // namespace plyx::time
