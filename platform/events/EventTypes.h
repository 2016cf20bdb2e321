#pragma once
// The calendar items the widgets read: reminders (to-dos) and events, as
// plain values copied out of the calendar files, and what a reader may know
// about its access to them.
#include "platform/time/Date.h"

#include <optional>
#include <string>

namespace plyx::events {

enum class EntityType { event, reminder };

/// What the user has granted. Here: no source configured is `notDetermined`,
/// a configured source that cannot be read is `denied`, readable sources give
/// `fullAccess`. `restricted` and `writeOnly` are never reported on Linux but
/// callers treat them like every status other than full access.
enum class AuthorizationStatus { notDetermined, restricted, denied, fullAccess, writeOnly };

/// A due date as written: a day, and a time of day only when the item has one.
struct DateComponents {
    int year = 0;
    int month = 0;
    int day = 0;
    std::optional<int> hour;
    std::optional<int> minute;
    std::optional<int> second;
    /// The moment the components name, resolved in the item's own zone (a
    /// day without time: the start of that day in the current zone); none
    /// when they name no valid moment.
    std::optional<Date> date;

    bool operator==(const DateComponents&) const = default;
};

struct Reminder {
    /// The item's UID; the key for looking it up and saving it.
    std::string calendarItemIdentifier;
    std::optional<std::string> title;
    std::optional<DateComponents> dueDateComponents;
    bool isCompleted = false;
    std::optional<Date> completionDate;

    /// Marks the reminder done as of `now`, or open again (the completion
    /// date is cleared). Nothing is written until the store saves it.
    void setCompleted(bool completed, Date now);

    bool operator==(const Reminder&) const = default;
};

/// One occurrence of an event: a recurring event gives one per occurrence,
/// all with the same identifier.
struct Event {
    /// The item's UID; none when the file gives none.
    std::optional<std::string> eventIdentifier;
    std::optional<std::string> title;
    std::optional<std::string> location;
    bool isAllDay = false;
    Date startDate;
    Date endDate;

    bool operator==(const Event&) const = default;
};

} // namespace plyx::events
