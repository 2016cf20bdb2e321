#pragma once
// Today's count of a daily counter (water glasses, steps) against its goal.
// Built on demand from the stored count (shared/stores/ExtrasStore.h), never
// stored itself.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <string>

namespace plyx {

struct CounterSnapshot {
    std::int64_t value = 0;
    std::int64_t goal = 0;

    bool operator==(const CounterSnapshot&) const = default;
};

/// The two counters' names in their keys.
inline constexpr const char* kWaterCounter = "water";
inline constexpr const char* kStepsCounter = "steps";

PLYX_CODABLE(CounterSnapshot, value, goal)

} // namespace plyx
