#pragma once
// Today's timed events, as the event sync reads them and stores them for the widgets.
#include "platform/coding/Coding.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

/// One event of today; identified by its event identifier.
struct EventItem {
    std::string id;
    std::string start;               ///< "14:00"
    std::optional<std::string> end;  ///< always written by the sync; readers accept none
    std::string title;
    std::optional<std::string> detail;  ///< "Studio B · 45 min"
    bool isPast = false;  ///< ended before the moment of reading
    bool isNext = false;  ///< the first event not past that starts after the moment of reading

    /// Three preview events: one past, one later, one next.
    static const std::vector<EventItem>& samples();

    bool operator==(const EventItem&) const = default;
};

struct CalendarSnapshot {
    std::vector<EventItem> events;  ///< by start, at most six, no all-day events
    double dayProgress = 0;         ///< share of 07:00 to 23:00 passed, 0...1

    /// The sample events at 68 % of the day.
    static const CalendarSnapshot& sample();

    bool operator==(const CalendarSnapshot&) const = default;
};

PLYX_CODABLE(EventItem, id, start, end, title, detail, isPast, isNext)
PLYX_CODABLE(CalendarSnapshot, events, dayProgress)

} // namespace plyx
