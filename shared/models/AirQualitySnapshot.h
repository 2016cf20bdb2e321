#pragma once
// The US Air Quality Index at the time of a fetch; the air-quality client
// caches the last good one.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <string>

namespace plyx {

struct AirQualitySnapshot {
    std::int64_t aqi = 0;
    Date updated;

    /// The index band in words: "Good" below 51 ... "Hazardous" from 301.
    std::string category() const;
    /// The preview value (aqi 42), made once per process on first use.
    static const AirQualitySnapshot& sample();

    bool operator==(const AirQualitySnapshot&) const = default;
};

PLYX_CODABLE(AirQualitySnapshot, aqi, updated)

} // namespace plyx
