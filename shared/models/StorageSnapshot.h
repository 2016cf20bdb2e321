#pragma once
// Space in use and capacity of the home volume, in whole decimal gigabytes.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <string>

namespace plyx {

struct StorageSnapshot {
    std::int64_t usedGB = 0;
    std::int64_t totalGB = 0;

    /// "500GB" below 1000 GB, otherwise whole terabytes rounded half away from zero ("2TB").
    std::string totalLabel() const;

    bool operator==(const StorageSnapshot&) const = default;
};

PLYX_CODABLE(StorageSnapshot, usedGB, totalGB)

} // namespace plyx
