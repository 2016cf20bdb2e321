#pragma once
// The stopwatch: the moment it counts from while running, and the laps taken.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <optional>
#include <vector>

namespace plyx {

struct StopwatchState {
    std::optional<Date> startDate;  ///< none when stopped
    std::vector<double> laps;       ///< seconds since `startDate` at each lap, in order taken

    /// Running exactly when a start is set, whatever its value.
    bool isRunning() const { return startDate.has_value(); }

    /// A running stopwatch with three laps, made once per process on first use.
    static const StopwatchState& sample();

    bool operator==(const StopwatchState&) const = default;
};

PLYX_CODABLE(StopwatchState, startDate, laps)

} // namespace plyx
