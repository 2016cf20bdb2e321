#pragma once
// The items of one parsed calendar file as the store hands them out:
// event occurrences within a window (recurrences expanded). To-dos are
// read in Todos.h.
#include "platform/events/EventTypes.h"
#include "platform/events/ICalFile.h"
#include "platform/events/ZoneCalendars.h"

#include <vector>

namespace plyx::events::detail {

/// Every occurrence of the file's events that overlaps [start, end): rules
/// (RRULE), added dates (RDATE), excluded dates (EXDATE) and moved or
/// cancelled instances (a component with the same UID and a RECURRENCE-ID).
/// An occurrence of no length counts when it starts within the window.
void collectEvents(const CalendarFile& file, Date start, Date end, ZoneCalendars& zones, std::vector<Event>& out);

/// The event with this UID as first written (its first occurrence); none
/// when the file holds no such event.
std::optional<Event> eventNamed(const CalendarFile& file, const std::string& uid, ZoneCalendars& zones);

} // namespace plyx::events::detail
