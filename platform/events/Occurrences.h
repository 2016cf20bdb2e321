#pragma once
// The items of one parsed calendar file as the store hands them out:
// event occurrences within a window (recurrences expanded). To-dos are
// read in Todos.h.
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

/// A title or location as one line: the views show it in one-line
/// captions, so a line break written into the value (escaped "\n", or a
/// raw CR, LF, next-line or line or paragraph separator) becomes one space.
/// None for an empty value.
std::optional<std::string> oneLine(const char* s);

/// The children of `root` of one kind, listed up front: every lookup by kind
/// moves the component's one cursor, and a list is immune to walks made
/// while it is used.
std::vector<icalcomponent*> components(icalcomponent* root, icalcomponent_kind kind);

/// The event with this UID as first written (its first occurrence); none
/// when the file holds no such event.
std::optional<Event> eventNamed(const CalendarFile& file, const std::string& uid, ZoneCalendars& zones,
                                ReadBudget& budget);

} // namespace plyx::events::detail
