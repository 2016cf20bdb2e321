#pragma once
// Reverse geocoding done on the machine: a position's placemarks come from
// the gazetteer of towns, never from a service that would learn where the
// user is.
#include "platform/location/Gazetteer.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx::location {

/// How far from a town a position still takes its name, in kilometres.
inline constexpr double kTownReachKm = 30;

/// A named place at a position, coarsest name last. The gazetteer knows
/// towns only, so it fills `locality`; the other two stay empty.
struct Placemark {
    std::optional<std::string> subLocality;
    std::optional<std::string> locality;
    std::optional<std::string> subAdministrativeArea;
    bool operator==(const Placemark&) const = default;
};

/// The placemarks of a position, best first: the nearest town within
/// `kTownReachKm` as the locality; none when no town is that near, or when
/// the position is not one (see Gazetteer::nearest).
std::vector<Placemark> reverseGeocode(double latitude, double longitude,
                                      const Gazetteer& towns = Gazetteer::builtIn());

} // namespace plyx::location
