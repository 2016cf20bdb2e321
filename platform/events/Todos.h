#pragma once
// The to-dos of one parsed calendar file as the store hands them out. A
// recurring to-do is shown as its current occurrence, the earliest one that
// is not completed; occurrences completed by an instance of their own are
// listed as completed to-dos. Every to-do is named as TodoIds.h says.
#include "platform/events/EventTypes.h"
#include "platform/events/ICalFile.h"
#include "platform/events/ReadLimits.h"
#include "platform/events/ZoneCalendars.h"

#include <vector>

namespace plyx::events::detail {

/// A to-do as read, with what the store filters on besides the reminder.
struct Todo {
    Reminder reminder;
    bool cancelled = false;
};

/// Every to-do of the file (every calendar in it), in file order. The steps
/// taken through recurrence rules are paid from `budget`, as events' are.
void collectTodos(const CalendarFile& file, ZoneCalendars& zones, ReadBudget& budget, std::vector<Todo>& out);

} // namespace plyx::events::detail
