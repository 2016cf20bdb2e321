#pragma once
// Today's sunrise and sunset at a place, for the daylight widget.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <string>

namespace plyx {

struct DaylightInfo {
    Date sunrise;
    Date sunset;
    std::string place;

    /// Length of the day as "15H 40M": whole minutes, truncated, no leading zeros.
    std::string lengthLabel() const;
    /// London, 05:02 to 20:42 today; made once per process on first use.
    static const DaylightInfo& sample();

    bool operator==(const DaylightInfo&) const = default;
};

PLYX_CODABLE(DaylightInfo, sunrise, sunset, place)

} // namespace plyx
