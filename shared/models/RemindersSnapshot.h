#pragma once
// Today's reminders, as the event sync reads them and stores them for the widgets.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

/// One reminder; identified by its calendar-item identifier.
struct ReminderItem {
    std::string id;
    std::string title;
    std::optional<std::string> time;  ///< due time of day ("17:00"); none without a due hour
    bool done = false;
    bool isUrgent = false;            ///< open and due within two hours (overdue included)

    /// Five preview reminders, two done then three open.
    static const std::vector<ReminderItem>& samples();

    bool operator==(const ReminderItem&) const = default;
};

struct RemindersSnapshot {
    std::vector<ReminderItem> items;          ///< open ones by due date, then up to two done today
    std::optional<ReminderItem> nextUp;       ///< the first open one due after the moment of reading
    std::optional<std::int64_t> minutesToNext;///< whole minutes to `nextUp`, at least 1

    /// The sample reminders with the third as next, 28 minutes away.
    static const RemindersSnapshot& sample();

    bool operator==(const RemindersSnapshot&) const = default;
};

PLYX_CODABLE(ReminderItem, id, title, time, done, isUrgent)
PLYX_CODABLE(RemindersSnapshot, items, nextUp, minutesToNext)

} // namespace plyx
