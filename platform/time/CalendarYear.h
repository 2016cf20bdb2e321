#pragma once
// Where a moment falls in its year in the user's own calendar (which need not
// be the Gregorian one): the year, the day's ordinal and the year's length.
#include "platform/time/Date.h"

#include <optional>
#include <string>

namespace plyx::time {

struct YearPosition {
    int year = 0;        ///< the calendar's year component (within its era)
    int dayOfYear = 1;   ///< 1 for the first day of the year
    int daysInYear = 365;
};

/// The position of `d` in its year, in the calendar of `localeId` and the
/// zone `zoneId` (current ones when empty); nothing when the calendar cannot say.
std::optional<YearPosition> yearPosition(Date d, const std::string& zoneId = {}, const std::string& localeId = {});

} // namespace plyx::time
