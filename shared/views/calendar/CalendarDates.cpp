#include "shared/views/calendar/CalendarDates.h"

#include "platform/time/Time.h"

namespace plyx::CalendarDates {
namespace {
constexpr int kNoRangeDays = 30;
} // namespace

// The day and the month's length come from the calendar the names below are
// written in (the time locale's: Islamic under ar_SA, Persian under fa_IR),
// never from the Gregorian one the stored day keys use.
int dayNumber(Date date) { return time::calendarDay(date).day; }

std::string dayOfMonth(Date date) { return std::to_string(dayNumber(date)); }

int daysInMonth(Date date) { return time::calendarDay(date).monthLength.value_or(kNoRangeDays); }

std::string weekdayWide(Date date) { return time::format(date, "EEEE"); }

std::string weekdayAbbreviated(Date date) { return time::format(date, "EEE"); }

std::string monthWide(Date date) { return time::format(date, "LLLL"); }

std::string monthWithYear(Date date) { return time::formatSkeleton(date, "yMMMM"); }

std::string monthDayAbbreviated(Date date) { return time::formatSkeleton(date, "MMMd"); }

} // namespace plyx::CalendarDates
