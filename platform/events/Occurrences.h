#pragma once
// The items of one parsed calendar file as the store hands them out:
// event occurrences within a window (recurrences expanded) and to-dos.
#include "platform/events/EventTypes.h"
#include "platform/events/ICalFile.h"
#include "platform/events/ReadLimits.h"
#include "platform/events/ZoneCalendars.h"

#include <vector>

namespace plyx::events::detail {

/// Every occurrence of the events of the file's calendars that overlaps
/// [start, end): rules (RRULE), added dates and periods (RDATE), excluded
/// dates (EXDATE) and moved or cancelled instances (a component with the
/// same UID and a RECURRENCE-ID). An occurrence of no length counts when it
/// starts within the window. Expansion stops when `budget` runs out.
void collectEvents(const CalendarFile& file, Date start, Date end, ZoneCalendars& zones, ReadBudget& budget,
                   std::vector<Event>& out);

/// A to-do as read, with what the store filters on besides the reminder.
struct Todo {
    Reminder reminder;
    bool cancelled = false;
};

/// Every to-do of the file's calendars, in file order (instances of a
/// recurring to-do left out: its DUE is the one the user faces).
void collectTodos(const CalendarFile& file, ZoneCalendars& zones, ReadBudget& budget, std::vector<Todo>& out);

/// Whether the file holds a to-do with this UID.
bool holdsTodo(const CalendarFile& file, const std::string& uid);

/// The event with this UID as first written (its first occurrence); none
/// when the file holds no such event.
std::optional<Event> eventNamed(const CalendarFile& file, const std::string& uid, ZoneCalendars& zones,
                                ReadBudget& budget);

} // namespace plyx::events::detail
