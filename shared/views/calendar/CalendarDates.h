#pragma once
// The date texts and day counts the calendar views draw, in the user's
// current zone, calendar and locale.
#include "platform/time/Date.h"

#include <string>

namespace plyx::CalendarDates {

/// The day of the month in the user's calendar, as decimal digits without a
/// leading zero.
std::string dayOfMonth(Date date);
int dayNumber(Date date);
/// The number of days of the month that holds `date` in the user's
/// calendar; 30 when the calendar gives no range.
int daysInMonth(Date date);
/// "Tuesday" (the wide weekday form).
std::string weekdayWide(Date date);
/// "Tue" (the abbreviated weekday form).
std::string weekdayAbbreviated(Date date);
/// "March" (the wide month form, standing alone).
std::string monthWide(Date date);
/// "March 2026" (the wide month with the year, in the locale's order).
std::string monthWithYear(Date date);
/// "Mar 17" (the abbreviated month with the day, in the locale's order).
std::string monthDayAbbreviated(Date date);

} // namespace plyx::CalendarDates
