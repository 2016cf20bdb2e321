#pragma once
// How far the year has come, for the year-progress widget. Computed, never stored.
#include "platform/time/Date.h"

#include <cstdint>

namespace plyx {

struct YearInfo {
    std::int64_t year = 0;
    std::int64_t dayOfYear = 1;    ///< 1 for the first day of the year
    std::int64_t daysInYear = 365;

    /// The year of `date` in the user's current calendar and time zone.
    static YearInfo current(Date date);

    bool operator==(const YearInfo&) const = default;
};

} // namespace plyx
