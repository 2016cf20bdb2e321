#pragma once
// The moon's phase for the moon widget, computed by the sun-and-moon source.
#include "platform/coding/Coding.h"

#include <cstdint>
#include <string>

namespace plyx {

struct MoonInfo {
    std::string phaseName;
    double illuminated = 0;     ///< lit fraction, 0 (new) ... 1 (full)
    bool waxing = false;        ///< new towards full
    std::int64_t daysToFull = 0;///< 0 when full tonight
    std::int64_t daysToNew = 0; ///< 0 when new tonight

    /// "Full moon tonight", "New moon tonight", "Full in N days" or "New in N days".
    std::string detail() const;

    bool operator==(const MoonInfo&) const = default;
};

PLYX_CODABLE(MoonInfo, phaseName, illuminated, waxing, daysToFull, daysToNew)

} // namespace plyx
