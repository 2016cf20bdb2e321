#pragma once
// The reminders and events of the user's calendar sources, read afresh by
// each store: a store loads the sources on its first query and answers every
// later query from that one reading. Queries give nothing when a source (or
// a file in it) cannot be read, so a caller never mistakes a failed read for
// an empty day. Files that do not parse are skipped and never written.
#include "platform/events/EventTypes.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace plyx::events {

namespace detail {
struct CalendarFile;
class ZoneCalendars;
}

/// An item found by its identifier.
using CalendarItem = std::variant<Reminder, Event>;

class EventStore {
public:
    explicit EventStore(std::vector<std::filesystem::path> sources);
    ~EventStore();
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;

    /// The status for `type` over `sources`: none configured is
    /// `notDetermined`; every one readable is `fullAccess`; otherwise `denied`.
    static AuthorizationStatus authorizationStatus(EntityType type,
                                                   const std::vector<std::filesystem::path>& sources);

    /// The occurrences of events that overlap [start, end), all-day ones
    /// included, in source and file order (not sorted).
    std::optional<std::vector<Event>> events(Date start, Date end);

    /// Open reminders due in [dueStart, dueEnd), either bound left open by
    /// none; reminders without a due date are always included. Cancelled
    /// to-dos are not open reminders.
    std::optional<std::vector<Reminder>> incompleteReminders(std::optional<Date> dueStart,
                                                             std::optional<Date> dueEnd);

    /// Reminders completed in [start, end), the earliest completion first.
    std::optional<std::vector<Reminder>> completedReminders(Date start, Date end);

    /// The reminder, or the event (its first occurrence), with this
    /// identifier; none when no item has it or the sources cannot be read.
    std::optional<CalendarItem> calendarItem(const std::string& identifier);

    /// Writes the completion of `reminder` (its `isCompleted` and
    /// `completionDate`) to the file that holds it, stamped `now`: only that
    /// to-do (or, for an occurrence of a recurring one, that occurrence)
    /// changes, and the file is replaced atomically under a lock, edited as it
    /// is at that moment. False, and logged, when the reminder is not found,
    /// its file does not parse cleanly, or writing fails.
    bool save(const Reminder& reminder, Date now);

private:
    std::vector<std::shared_ptr<detail::CalendarFile>>* files();
    /// The files that hold a component of this kind, parsed; none when the
    /// sources cannot be read.
    std::optional<std::vector<const detail::CalendarFile*>> parsed(const char* component);
    detail::ZoneCalendars& zones();

    std::vector<std::filesystem::path> sources_;
    bool loaded_ = false;
    std::unique_ptr<std::vector<std::shared_ptr<detail::CalendarFile>>> files_;
    std::unique_ptr<detail::ZoneCalendars> zones_;
};

} // namespace plyx::events
