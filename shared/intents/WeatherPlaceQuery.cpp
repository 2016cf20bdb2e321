#include "shared/intents/WeatherPlaceQuery.h"

#include "shared/sources/DefaultPlace.h"

namespace plyx::WeatherPlaceQuery {

std::vector<WeatherPlaceEntity> entities(const std::vector<std::string>& identifiers) {
    std::vector<WeatherPlaceEntity> out;
    out.reserve(identifiers.size());
    for (const auto& id : identifiers) out.push_back({id});
    return out;
}

std::vector<WeatherPlaceEntity> entitiesMatching(const std::string& text) {
    std::vector<WeatherProvider::Place> found;
    try {
        found = WeatherProvider::searchPlaces(text);
    } catch (...) {
        return {}; // the sheet shows no matches; there is nothing else to tell
    }
    std::vector<WeatherPlaceEntity> out;
    out.reserve(found.size());
    for (const auto& p : found) out.push_back(WeatherPlaceEntity::of(p));
    return out;
}

std::vector<WeatherPlaceEntity> suggestedEntities() { return {defaultResult()}; }

std::vector<WeatherPlaceEntity> results() { return suggestedEntities(); }

WeatherPlaceEntity defaultResult() { return WeatherPlaceEntity::of(WeatherProvider::defaultPlace()); }

} // namespace plyx::WeatherPlaceQuery
