#pragma once
// Today's reminders and events, read from the user's calendar sources into
// the snapshots the reminders and calendar widgets draw, stored in the shared
// suite for the other program, and the one change the widgets make: a
// reminder ticked off or reopened. Nothing is kept between calls: every read,
// toggle and request opens the configured sources afresh.
#include "platform/events/EventStore.h"
#include "platform/events/EventTypes.h"
#include "shared/models/CalendarSnapshot.h"
#include "shared/models/RemindersSnapshot.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx::EventSync {

/// The calendar sources configured in the shared suite.
std::vector<std::filesystem::path> sources();
/// The access status for `type` over the configured sources.
events::AuthorizationStatus authorizationStatus(events::EntityType type);

/// Today's reminders: up to two completed today (the latest two), then every
/// open one due before tomorrow, overdue and undated ones included, by due
/// date; the next one due and the minutes until it. None when the sources
/// cannot be read, so the caller keeps what it had. Access is not checked.
std::optional<RemindersSnapshot> readReminders();

/// Today's timed events (at most six, by start) and how much of the day from
/// 07:00 to 23:00 has passed. None when the sources cannot be read. Access is
/// not checked.
std::optional<CalendarSnapshot> readCalendar();

/// Stores the snapshot under "plyx.snapshot.reminders.v1"; nothing is
/// written when it cannot be encoded.
void storeReminders(const RemindersSnapshot& snapshot);
/// The stored snapshot; none when absent or unreadable.
std::optional<RemindersSnapshot> storedReminders();
/// The same pair for "plyx.snapshot.calendar.v1".
void storeCalendar(const CalendarSnapshot& snapshot);
std::optional<CalendarSnapshot> storedCalendar();

/// Flips the completion of the reminder with this identifier and saves it;
/// then, with full access, stores the reminders read again (which shows the
/// file as it is, also when the save failed). An identifier of an event, or
/// of nothing, changes and stores nothing. Whether the change was written.
bool toggleReminder(const std::string& id);

/// Asks for access to reminders or events (the application does, when the
/// user connects them); whether access was granted.
bool requestRemindersAccess();
bool requestCalendarAccess();

/// The two snapshots as built from what the store gives, at `now` in the
/// current zone: what the reads above return for a store that answers.
RemindersSnapshot remindersSnapshot(const std::vector<events::Reminder>& open,
                                    const std::vector<events::Reminder>& completed, Date now);
CalendarSnapshot calendarSnapshot(const std::vector<events::Event>& events, Date dayStart, Date now);

} // namespace plyx::EventSync
