#include "widgets/sources/web/AirQualityProvider.h"

#include "platform/coding/Coding.h"
#include "platform/net/Http.h"
#include "platform/net/Url.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

namespace plyx::AirQualityProvider {

namespace {

constexpr const char* kPath = "/v1/air-quality";
/// The US scale ends at 500; readings beyond it ("beyond the index") are
/// reported up to 999, never more and never below 0.
constexpr std::int64_t kHighestIndex = 999;

struct Current {
    std::optional<std::int64_t> us_aqi;
};
void decodeJSON(const coding::Json& j, Current& c) {
    const coding::ObjectReader r(j);
    r("us_aqi", c.us_aqi);
}

std::optional<AirQualitySnapshot> cached(const std::optional<std::string>& key) {
    if (!key) return std::nullopt;
    return SharedStorage::read<AirQualitySnapshot>(*key);
}

// The index in the service's answer; nothing when the answer does not
// decode or carries none.
std::optional<std::int64_t> fetchIndex(const WeatherProvider::Place& place) {
    try {
        const auto response =
            net::get(requestURL(place), {}, std::nullopt, net::serviceMaxAnswer(net::Service::airQuality));
        const auto json = coding::parse(response.body);
        if (!json) return std::nullopt;
        Current current;
        const coding::ObjectReader r(*json);
        r("current", current);
        if (current.us_aqi && (*current.us_aqi < 0 || *current.us_aqi > kHighestIndex)) return std::nullopt;
        return current.us_aqi;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::string> cacheKey(const WeatherProvider::Place& place) {
    const auto suffix = place.cacheSuffix();
    if (!suffix) return std::nullopt;
    return std::string(StorageKeys::airQualityCache) + *suffix;
}

std::string requestURL(const WeatherProvider::Place& place) {
    return net::serviceBase(net::Service::airQuality) + kPath + "?" +
           net::queryString({{"latitude", net::numberText(place.latitude)},
                             {"longitude", net::numberText(place.longitude)},
                             {"current", "us_aqi"}});
}

std::optional<AirQualitySnapshot> snapshot(const WeatherProvider::Place& place) {
    const auto key = cacheKey(place);
    if (auto hit = cached(key); hit && SharedStorage::isFresh(hit->updated, kCacheLifetime, time::now())) return hit;
    if (const auto aqi = fetchIndex(place)) {
        AirQualitySnapshot fresh{*aqi, time::now()};
        if (key) SharedStorage::writeIfFree(*key, fresh);
        return fresh;
    }
    // Read again: another call may have stored an entry meanwhile.
    return cached(key);
}

} // namespace plyx::AirQualityProvider
