#pragma once
// Today's count of a daily counter (water glasses, steps) against its goal.
// The counts are plain integers, one key per counter and local day.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <string>

namespace plyx {

struct CounterSnapshot {
    std::int64_t value = 0;
    std::int64_t goal = 0;

    /// Today's stored count of `name` (0 when absent) with the goal given.
    static CounterSnapshot today(const std::string& name, std::int64_t goal);
    /// Glasses of water per day: the stored goal, 8 when not positive.
    static std::int64_t waterGoal();
    /// Steps per day: the stored goal, 10000 when not positive.
    static std::int64_t stepsGoal();

    bool operator==(const CounterSnapshot&) const = default;
};

/// The two counters' names in their keys.
inline constexpr const char* kWaterCounter = "water";
inline constexpr const char* kStepsCounter = "steps";

PLYX_CODABLE(CounterSnapshot, value, goal)

} // namespace plyx
