#pragma once
// Processor, memory and graphics load in percent, for the system monitor.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <optional>

namespace plyx {

struct SystemSnapshot {
    std::int64_t cpuPercent = 0;
    std::int64_t memoryPercent = 0;
    std::optional<std::int64_t> gpuPercent;  ///< none when the graphics load cannot be read

    bool operator==(const SystemSnapshot&) const = default;
};

PLYX_CODABLE(SystemSnapshot, cpuPercent, memoryPercent, gpuPercent)

} // namespace plyx
