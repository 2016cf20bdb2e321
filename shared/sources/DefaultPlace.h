#pragma once
// The place of a weather, daylight or air-quality widget that has none
// configured: the user's location as the application stored it, else the
// place a background search found for the current time zone, else a city
// derived from the time zone, else London.
#include "shared/sources/WeatherProvider.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace plyx::WeatherProvider {

/// One row of the time-zone table.
struct ZoneCoordinates {
    const char* zone;
    double latitude;
    double longitude;
};

/// The time zones whose main city's coordinates are known without a search.
std::span<const ZoneCoordinates> timeZoneCoords();
/// The table's coordinates for `zoneId`; nothing when it has no row.
std::optional<ZoneCoordinates> coordinatesOf(const std::string& zoneId);

/// The place used when nothing better is known, and the fallback of an
/// unreadable place identifier: London.
const Place& fallbackPlace();

/// The city a zone identifier names: its last non-empty "/" piece with
/// every "_" shown as a blank; the identifier itself when it has no piece.
std::string cityName(const std::string& zoneId);

/// The user's location as the application stored it; nothing when absent
/// or unreadable. Read on every call.
std::optional<Place> myLocation();

/// The place for a widget without one, first match wins:
/// 1. `myLocation()`;
/// 2. the place the background search stored, while the time zone is still
///    the one it was found for;
/// 3. the time zone's city at the table's coordinates (nothing stored);
/// 4. London, after starting a background search for the time zone's city
///    that stores its first match and the zone.
/// Never fails; never waits for the network.
Place defaultPlace();

/// The background search of step 4, run on the calling thread: searches for
/// `city` and, when something is found, stores the first place and `zoneId`.
/// A failed search or an empty result stores nothing.
void searchDefaultPlace(const std::string& city, const std::string& zoneId);

/// How the background search is started: on a worker of the global thread
/// pool unless replaced (tests run or hold the task themselves). An empty
/// function restores the default. Set it before any widget asks for a place.
void setBackgroundRunner(std::function<void(std::function<void()>)> runner);

} // namespace plyx::WeatherProvider
