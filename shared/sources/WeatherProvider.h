#pragma once
// The weather widgets' data: a place record, the forecast client with its
// per-place cache in the shared suite, the derivation of a snapshot from the
// forecast service's answer, and the place search. Plain functions without
// state of their own; call them from a worker thread, they block on the network.
#include "platform/coding/Coding.h"
#include "shared/models/WeatherSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plyx::WeatherProvider {

/// A place of the weather, daylight and air-quality widgets.
struct Place {
    std::string name;      ///< the label shown on the widget
    double latitude = 0;   ///< degrees, north positive
    double longitude = 0;  ///< degrees, east positive

    /// The place's coordinates to the hundredth of a degree, truncated toward
    /// zero: latitude 9.876, longitude -8.259 give "987,-825"; -0.004 gives "0".
    /// The name plays no part. Nothing when a coordinate is not a number or
    /// too large for a 64-bit integer, so such a place is never cached.
    std::optional<std::string> cacheSuffix() const;

    bool operator==(const Place&) const = default;
};
PLYX_CODABLE(Place, name, latitude, longitude)

/// A cached snapshot younger than this, in seconds, is served without a request.
inline constexpr double kCacheLifetime = 1500;

/// The snapshot for `place`: the cached one while it is fresh, else one
/// fetch whose result replaces the cache entry; when the fetch fails, the
/// cached one of any age, or nothing. Never throws.
std::optional<WeatherSnapshot> snapshot(const Place& place);
/// The place's cache entry, whatever its age; nothing when absent,
/// undecodable or written for another suffix.
std::optional<WeatherSnapshot> cached(const Place& place);
/// One request to the forecast service and the derivation of its answer.
/// Throws net::TransportError or coding::DecodeError; never touches the cache.
WeatherSnapshot fetch(const Place& place);
/// The full forecast request address of `place`.
std::string forecastURL(const Place& place);

/// The places the geocoding service finds for `text`, in its order (eight at
/// most, as asked). Throws net::TransportError or coding::DecodeError.
std::vector<Place> searchPlaces(const std::string& text);
/// The geocoding request address for `text`.
std::string searchURL(const std::string& text);

/// The forecast service's answer, as far as the snapshot needs it. Every
/// member is required and strictly typed. The service writes null for a
/// value it lacks inside its arrays, so an array element may be none; the
/// day or hour it belongs to is then left out, as for a short array.
struct APIResponse {
    struct Current {
        double temperature_2m = 0;
        double apparent_temperature = 0;
        std::int64_t weather_code = 0;
        std::int64_t is_day = 0;
    };
    struct Daily {
        std::vector<std::optional<std::string>> time; ///< "yyyy-MM-dd", today first
        std::vector<std::optional<double>> temperature_2m_max;
        std::vector<std::optional<double>> temperature_2m_min;
    };
    struct Hourly {
        std::vector<std::optional<std::string>> time; ///< "yyyy-MM-dd'T'HH:mm" in the place's zone
        std::vector<std::optional<std::int64_t>> precipitation_probability; ///< percent
    };
    Current current;
    Daily daily;
    Hourly hourly;
    std::string timezone; ///< the zone of the hourly times
};
PLYX_CODABLE(APIResponse::Current, temperature_2m, apparent_temperature, weather_code, is_day)
PLYX_CODABLE(APIResponse::Daily, time, temperature_2m_max, temperature_2m_min)
PLYX_CODABLE(APIResponse::Hourly, time, precipitation_probability)
PLYX_CODABLE(APIResponse, current, daily, hourly, timezone)

/// Decodes the forecast service's body. Throws coding::DecodeError when it is
/// not JSON, lacks a member, holds a mistyped one, or carries a temperature
/// whose whole-degree value does not fit a 64-bit integer.
APIResponse decodeAnswer(std::string_view body);

/// The snapshot of a decoded answer for the place named `placeName`, at the
/// current moment, in the current zone and locale, with rain-hour labels in
/// 24-hour ("HH") or 12-hour ("h") form. A day or hour whose entry is none,
/// or missing from an array shorter than its `time` array, is left out. A
/// rain chance is held to 0...100 percent, and a weather code outside the
/// service's table gives no code.
WeatherSnapshot deriveSnapshot(const APIResponse& answer, const std::string& placeName, bool uses24Hour);

/// The condition in words for a weather code by day or by night; "—" for a
/// code outside the table.
std::string conditionText(std::int64_t code, bool isDay);

} // namespace plyx::WeatherProvider

template <> struct std::hash<plyx::WeatherProvider::Place> {
    std::size_t operator()(const plyx::WeatherProvider::Place& p) const noexcept {
        std::size_t h = std::hash<std::string>{}(p.name);
        for (const double v : {p.latitude, p.longitude})
            h ^= std::hash<double>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        return h;
    }
};
