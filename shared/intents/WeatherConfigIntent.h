#pragma once
// The configuration of the weather, daylight and air-quality widgets: a
// place (none means the default place), the temperature unit and the
// background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/intents/TempUnitOption.h"
#include "shared/intents/WeatherPlaceEntity.h"
#include "shared/models/WeatherSnapshot.h"

#include <optional>
#include <string>

namespace plyx {

struct WeatherConfigIntent {
    static constexpr const char* title = "Weather Options";
    static constexpr const char* placeKey = "place";
    static constexpr const char* placeTitle = "Place";
    static constexpr const char* unitKey = "unit";
    static constexpr const char* unitTitle = "Units";
    static constexpr const char* surfaceKey = "surface";
    static constexpr const char* surfaceTitle = "Background";

    std::optional<WeatherPlaceEntity> place;
    TempUnitOption unit = TempUnitOption::system;
    SurfaceOption surface = SurfaceOption::followApp;

    /// `snapshot` (in Celsius, as fetched) in the configured unit: converted
    /// to Fahrenheit for `fahrenheit`, and for `system` when the current
    /// locale measures in US units; unchanged otherwise.
    WeatherSnapshot localized(const WeatherSnapshot& snapshot) const;
    /// The configured place, else the default place (which may start its
    /// background search).
    WeatherProvider::Place resolvedPlace() const;

    /// The three parameters in order: `place` (an optional entity, none by
    /// default), `unit` (`system`), `surface` (`followApp`).
    static const intents::IntentDescriptor& descriptor();
    /// The intent a widget instance was configured as (defaults filled in).
    static WeatherConfigIntent from(const intents::Configuration& config);
};

/// Whether the locale measures in US units, as ICU's locale data says; when
/// empty, the locale set in-process, else the environment's measurement
/// category (LC_ALL, LC_MEASUREMENT, LANG; C and POSIX are metric).
bool usesUSMeasurement(const std::string& localeId = {});

} // namespace plyx
