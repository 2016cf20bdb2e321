#include "shared/sources/WeatherProvider.h"

#include "platform/base/Numbers.h"
#include "platform/net/Http.h"
#include "platform/net/Url.h"
#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/storage/SharedStorage.h"

#include <cmath>

namespace plyx::WeatherProvider {

namespace {

/// One cache entry: the suffix the snapshot was fetched for, and the snapshot.
struct Cache {
    std::string placeKey;
    WeatherSnapshot snapshot;
};
PLYX_CODABLE(Cache, placeKey, snapshot)

constexpr const char* kForecastPath = "/v1/forecast";

// Hundredths of a degree, truncated toward zero; nothing when the value
// cannot be an integer of 64 bits.
std::optional<long long> hundredths(double degrees) { return num::truncatedInt64(degrees * 100.0); }

void store(const WeatherSnapshot& snap, const Place& place) {
    const auto suffix = place.cacheSuffix();
    if (!suffix) return;
    SharedStorage::writeIfFree(StorageKeys::weatherCacheKey(*suffix), Cache{*suffix, snap});
}

} // namespace

std::optional<std::string> Place::cacheSuffix() const {
    const auto lat = hundredths(latitude);
    const auto lon = hundredths(longitude);
    if (!lat || !lon) return std::nullopt;
    return std::to_string(*lat) + "," + std::to_string(*lon);
}

std::optional<WeatherSnapshot> cached(const Place& place) {
    const auto suffix = place.cacheSuffix();
    if (!suffix) return std::nullopt;
    auto entry = SharedStorage::read<Cache>(StorageKeys::weatherCacheKey(*suffix));
    if (!entry || entry->placeKey != *suffix) return std::nullopt;
    return std::move(entry->snapshot);
}

std::string forecastURL(const Place& place) {
    return net::serviceBase(net::Service::forecast) + kForecastPath + "?" +
           net::queryString({
               {"latitude", net::numberText(place.latitude)},
               {"longitude", net::numberText(place.longitude)},
               {"current", "temperature_2m,apparent_temperature,weather_code,is_day"},
               {"daily", "temperature_2m_max,temperature_2m_min,weather_code"},
               {"hourly", "precipitation_probability"},
               {"forecast_days", "7"},
               {"timezone", "auto"},
           });
}

WeatherSnapshot fetch(const Place& place) {
    const auto response = net::get(forecastURL(place), {}, std::nullopt, net::serviceMaxAnswer(net::Service::forecast));
    return deriveSnapshot(decodeAnswer(response.body), place.name, ClockFormat::uses24Hour());
}

std::optional<WeatherSnapshot> snapshot(const Place& place) {
    if (auto hit = cached(place); hit && SharedStorage::isFresh(hit->updated, kCacheLifetime, time::now()))
        return hit;
    try {
        auto fresh = fetch(place);
        store(fresh, place);
        return fresh;
    } catch (...) {
        // Read again: another call may have stored an entry meanwhile.
        return cached(place);
    }
}

} // namespace plyx::WeatherProvider
