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

} // namespace

std::string searchURL(const std::string& text) {
    return net::serviceBase(net::Service::geocoding) + kSearchPath + "?" +
           net::queryString({{"name", text}, {"count", "8"}, {"language", "en"}});
}

std::vector<Place> searchPlaces(const std::string& text) {
    const auto response = net::get(searchURL(text));
    const auto json = coding::parse(response.body);
    if (!json) throw coding::DecodeError("the answer is not JSON");
    GeoResponse answer;
    coding::fromJson(*json, answer);

    std::vector<Place> places;
    if (!answer.results) return places;
    places.reserve(answer.results->size());
    for (const auto& r : *answer.results) {
        Place p;
        p.name = r.country_code ? r.name + ", " + *r.country_code : r.name;
        p.latitude = r.latitude;
        p.longitude = r.longitude;
        places.push_back(std::move(p));
    }
    return places;
}

} // namespace plyx::WeatherProvider
