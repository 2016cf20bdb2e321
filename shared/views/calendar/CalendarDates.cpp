#include "shared/views/calendar/CalendarDates.h"

#include "platform/time/Time.h"

#include <cmath>

namespace plyx::CalendarDates {

int dayNumber(Date date) { return time::components(date).day; }

std::string dayOfMonth(Date date) { return std::to_string(dayNumber(date)); }

int daysInMonth(Date date) {
    const auto c = time::components(date);
    const Date first = time::dateFrom(c.year, c.month, 1);
    const Date next = time::dateFrom(c.year, c.month + 1, 1);
    // Whole days between the two firsts; rounding absorbs a clock change.
    const auto n = std::lround((next - first) / 86400.0);
    return n >= 28 && n <= 31 ? static_cast<int>(n) : 30;
}

std::string weekdayWide(Date date) { return time::format(date, "EEEE"); }

std::string weekdayAbbreviated(Date date) { return time::format(date, "EEE"); }

std::string monthWide(Date date) { return time::format(date, "LLLL"); }

std::string monthWithYear(Date date) { return time::formatSkeleton(date, "yMMMM"); }

std::string monthDayAbbreviated(Date date) { return time::formatSkeleton(date, "MMMd"); }

} // namespace plyx::CalendarDates
