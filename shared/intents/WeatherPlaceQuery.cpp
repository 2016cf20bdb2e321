#include "shared/intents/WeatherPlaceQuery.h"

#include "shared/sources/DefaultPlace.h"

namespace plyx {

std::vector<WeatherPlaceEntity> WeatherPlaceQuery::entitiesFor(const std::vector<std::string>& identifiers) const {
    std::vector<WeatherPlaceEntity> out;
    out.reserve(identifiers.size());
    for (const auto& id : identifiers) out.push_back({id});
    return out;
}

std::vector<WeatherPlaceEntity> WeatherPlaceQuery::entitiesMatching(const std::string& text) const {
    std::vector<WeatherProvider::Place> found;
    try {
        found = WeatherProvider::searchPlaces(text);
    } catch (...) {
        return {}; // the dialog shows no matches; there is nothing else to tell
    }
    std::vector<WeatherPlaceEntity> out;
    out.reserve(found.size());
    for (const auto& p : found) out.push_back(WeatherPlaceEntity::of(p));
    return out;
}

std::vector<WeatherPlaceEntity> WeatherPlaceQuery::suggestedEntities() const {
    return {WeatherPlaceEntity::of(WeatherProvider::defaultPlace())};
}

std::vector<WeatherPlaceEntity> WeatherPlaceQuery::results() const { return suggestedEntities(); }

std::optional<WeatherPlaceEntity> WeatherPlaceQuery::defaultResult() const {
    return WeatherPlaceEntity::of(WeatherProvider::defaultPlace());
}

} // namespace plyx
