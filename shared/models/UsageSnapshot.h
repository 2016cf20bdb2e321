#pragma once
// Today's screen time against the budget, the top applications and the last
// seven days, for the screen-time widgets. Minutes are whole (truncated).
#include "platform/coding/Coding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plyx {

struct UsageSnapshot {
    /// One of today's top applications; identified by its name.
    struct App {
        std::string name;
        std::int64_t minutes = 0;
        bool isFlagged = false;  ///< the third entry only

        const std::string& id() const { return name; }
        bool operator==(const App&) const = default;
    };
    /// One day of the last week; identified by its label.
    struct Day {
        std::string label;  ///< abbreviated weekday ("Mon")
        std::int64_t minutes = 0;
        bool isToday = false;
        bool isPeak = false;

        const std::string& id() const { return label; }
        bool operator==(const Day&) const = default;
    };

    std::int64_t totalMinutes = 0;
    std::int64_t budgetMinutes = 0;
    std::vector<App> apps;  ///< most first, at most three
    std::vector<Day> week;  ///< oldest first, today last

    /// The preview snapshot, made once per process on first use.
    static const UsageSnapshot& sample();

    bool operator==(const UsageSnapshot&) const = default;
};

PLYX_CODABLE(UsageSnapshot::App, name, minutes, isFlagged)
PLYX_CODABLE(UsageSnapshot::Day, label, minutes, isToday, isPeak)
PLYX_CODABLE(UsageSnapshot, totalMinutes, budgetMinutes, apps, week)

} // namespace plyx
