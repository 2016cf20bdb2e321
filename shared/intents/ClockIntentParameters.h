#pragma once
// What the three clock configuration intents share: the city and background
// parameters, reading them from a widget's configuration, and turning a
// city's identifier into a zone the clocks can draw.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/intents/TimeZoneEntity.h"

#include <functional>
#include <optional>
#include <string>

namespace plyx::ClockIntentParameters {

/// An optional city parameter, none by default, found through `TimeZoneQuery`.
/// `fallbackZone` gives the zone the widget shows while the city is unset,
/// which the edit dialog names.
intents::ParameterDescriptor city(const std::string& key, const std::string& title,
                                  std::function<std::string()> fallbackZone);
/// The background parameter every widget configuration ends with.
intents::ParameterDescriptor surface();

/// The city configured under `key`, if any.
std::optional<TimeZoneEntity> cityValue(const intents::Configuration& config, const std::string& key);
/// The configured background, `followApp` when none is.
SurfaceOption surfaceValue(const intents::Configuration& config);

/// `identifier` when it names a zone the system knows, else the current zone.
std::string zoneOrCurrent(const std::string& identifier);

} // namespace plyx::ClockIntentParameters
