#include "platform/net/Http.h"
#include "platform/net/Url.h"
#include "shared/sources/WeatherProvider.h"

namespace plyx::WeatherProvider {

namespace {

struct GeoResult {
    std::string name;
    double latitude = 0;
    double longitude = 0;
    std::optional<std::string> country_code;
};
PLYX_CODABLE(GeoResult, name, latitude, longitude, country_code)

struct GeoResponse {
    std::optional<std::vector<GeoResult>> results;
};
PLYX_CODABLE(GeoResponse, results)

constexpr const char* kSearchPath = "/v1/search";
constexpr std::size_t kCount = 8;

bool onEarth(const GeoResult& r) {
    return r.latitude >= -90 && r.latitude <= 90 && r.longitude >= -180 && r.longitude <= 180;
}

} // namespace

std::string searchURL(const std::string& text) {
    return net::serviceBase(net::Service::geocoding) + kSearchPath + "?" +
           net::queryString({{"name", text}, {"count", std::to_string(kCount)}, {"language", "en"}});
}

std::vector<Place> searchPlaces(const std::string& text) {
    const auto response = net::get(searchURL(text), {}, std::nullopt, net::serviceMaxAnswer(net::Service::geocoding));
    const auto json = coding::parse(response.body);
    if (!json) throw coding::DecodeError("the answer is not JSON");
    GeoResponse answer;
    coding::fromJson(*json, answer);

    std::vector<Place> places;
    if (!answer.results) return places;
    // The service is asked for eight; a longer answer is cut there, and a
    // match whose coordinates are no place on Earth is skipped.
    for (const auto& r : *answer.results) {
        if (places.size() == kCount) break;
        if (!onEarth(r)) continue;
        Place p;
        p.name = r.country_code ? r.name + ", " + *r.country_code : r.name;
        p.latitude = r.latitude;
        p.longitude = r.longitude;
        places.push_back(std::move(p));
    }
    return places;
}

} // namespace plyx::WeatherProvider
