#include "shared/models/YearInfo.h"

#include "platform/time/CalendarYear.h"
#include "platform/time/Time.h"

namespace plyx {

YearInfo YearInfo::current(Date date) {
    if (const auto p = time::yearPosition(date)) return YearInfo{p->year, p->dayOfYear, p->daysInYear};
    // The calendar could not say: the Gregorian year, day 1 of 365.
    return YearInfo{time::components(date).year, 1, 365};
}

} // namespace plyx
