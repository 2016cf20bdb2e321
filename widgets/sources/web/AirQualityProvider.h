#pragma once
// The air-quality widget's data: the current US Air Quality Index of a place
// from the air-quality service, with the last good answer of each place cached
// in the shared suite. Plain functions without state of their own; call them
// from a worker thread, they block on the network.
#include "shared/models/AirQualitySnapshot.h"
#include "shared/sources/WeatherProvider.h"

#include <optional>
#include <string>

namespace plyx::AirQualityProvider {

/// A cached snapshot younger than this, in seconds, is served without a request.
inline constexpr double kCacheLifetime = 1800;

/// The index at `place`: the place's cached snapshot while it is fresh, else
/// one fetch whose result replaces that entry; when the fetch fails or the
/// answer has no index (or one outside 0...999), the place's cached snapshot
/// of any age, or nothing.
/// Never throws.
std::optional<AirQualitySnapshot> snapshot(const WeatherProvider::Place& place);

/// "plyx.aq.cache.v1" followed by the place's weather cache suffix, so each
/// place keeps its own entry; nothing for a place that has no suffix.
std::optional<std::string> cacheKey(const WeatherProvider::Place& place);

/// The request address for `place`.
std::string requestURL(const WeatherProvider::Place& place);

} // namespace plyx::AirQualityProvider
