#pragma once
// Finding places for the weather widgets' configuration: the place search
// behind the dialog's search field, and the default place as the one
// suggestion. Blocks on the network: call it from a worker thread.
#include "shared/intents/WeatherPlaceEntity.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct WeatherPlaceQuery {
    /// One entity per identifier, in order, taken as they are.
    std::vector<WeatherPlaceEntity> entitiesFor(const std::vector<std::string>& identifiers) const;
    /// The places the search finds for `text`, in its order; none when the
    /// search fails.
    std::vector<WeatherPlaceEntity> entitiesMatching(const std::string& text) const;
    /// The entity of the default place, alone.
    std::vector<WeatherPlaceEntity> suggestedEntities() const;
    /// What the dialog lists before anything is typed: the suggestions.
    std::vector<WeatherPlaceEntity> results() const;
    /// The entity of the default place; always present.
    std::optional<WeatherPlaceEntity> defaultResult() const;
};

} // namespace plyx
