#pragma once
// Finding places for the weather widgets' configuration: the place search
// behind the sheet's search field, and the default place as the one
// suggestion. Blocks on the network: call it from a worker thread.
#include "shared/intents/WeatherPlaceEntity.h"

#include <string>
#include <vector>

namespace plyx::WeatherPlaceQuery {

/// One entity per identifier, in order, taken as they are.
std::vector<WeatherPlaceEntity> entities(const std::vector<std::string>& identifiers);
/// The places the search finds for `text`, in its order; none when the
/// search fails.
std::vector<WeatherPlaceEntity> entitiesMatching(const std::string& text);
/// The entity of the default place, alone.
std::vector<WeatherPlaceEntity> suggestedEntities();
/// What the sheet lists before anything is typed: the suggestions.
std::vector<WeatherPlaceEntity> results();
/// The entity of the default place.
WeatherPlaceEntity defaultResult();

} // namespace plyx::WeatherPlaceQuery
