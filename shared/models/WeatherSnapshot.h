#pragma once
// The current conditions at one place, a forecast of days and the chance of
// rain by hour: what every weather widget draws. Temperatures are whole
// degrees in one unit (Celsius as fetched and cached); the record does not
// name its unit, so converting twice converts twice.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct WeatherSnapshot {
    /// One day of the forecast.
    struct Day {
        std::string label;       ///< abbreviated weekday ("Thu"); also the identity
        std::int64_t high = 0;
        std::int64_t low = 0;
        bool isPeak = false;     ///< the first warmest day of the forecast

        const std::string& id() const { return label; }
        bool operator==(const Day&) const = default;
    };
    /// The chance of rain in one coming hour.
    struct RainHour {
        std::string label;       ///< the hour ("17" or "5"); also the identity
        double chance = 0;       ///< 0...1
        bool isPeak = false;     ///< the first wettest hour

        const std::string& id() const { return label; }
        bool operator==(const RainHour&) const = default;
    };

    std::string place;
    std::int64_t temperature = 0;
    std::string condition;
    std::int64_t high = 0;
    std::int64_t low = 0;
    std::int64_t feelsLike = 0;
    bool isNight = false;
    std::vector<Day> days;
    double rainChance = 0;   ///< chance of rain now, 0...1
    std::vector<RainHour> rainHours;
    Date updated;
    std::optional<std::int64_t> code;  ///< WMO weather code of the current weather

    /// The symbol name for a weather code by day or by night. Every code gives a name.
    static std::string symbol(std::int64_t code, bool isNight);
    /// A copy with every temperature converted from Celsius to Fahrenheit.
    WeatherSnapshot inFahrenheit() const;
    /// The preview snapshot, made once per process on first use.
    static const WeatherSnapshot& sample();
    /// A clear night in Tokyo without forecast, for the catalog's night preview;
    /// made once per process on first use.
    static const WeatherSnapshot& sampleNight();

    bool operator==(const WeatherSnapshot&) const = default;
};

/// Symbol of a clear sky at night (codes 0 and 1); the fallback night symbol is "moon".
inline constexpr const char* kClearNightSymbol = "moon.stars";
/// Symbol of rain showers (codes 80 to 82), by day and by night.
inline constexpr const char* kRainShowersSymbol = "cloud.heavyrain";

PLYX_CODABLE(WeatherSnapshot::Day, label, high, low, isPeak)
PLYX_CODABLE(WeatherSnapshot::RainHour, label, chance, isPeak)
PLYX_CODABLE(WeatherSnapshot, place, temperature, condition, high, low, feelsLike, isNight, days, rainChance,
             rainHours, updated, code)

} // namespace plyx
