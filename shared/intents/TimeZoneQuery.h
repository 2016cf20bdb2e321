#pragma once
// How the configuration dialog finds cities for the clock widgets: the
// entities of stored identifiers, a search over the system's zone list, the
// suggestions shown before anything is typed, and the default city. Holds
// nothing; every answer is computed afresh.
#include "shared/intents/TimeZoneEntity.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct TimeZoneQuery {
    /// How many cities a search returns at most.
    static constexpr size_t kMaximumMatches = 12;

    /// One entity per identifier, in the given order, taken as they are (no
    /// look-up in the zone list).
    std::vector<TimeZoneEntity> entitiesFor(const std::vector<std::string>& identifiers) const;

    /// The first twelve of the system's zones, in the system's order, whose
    /// city name contains `text` ignoring case in the current locale. The
    /// region part before the city is never searched; an empty text finds
    /// nothing.
    std::vector<TimeZoneEntity> entitiesMatching(const std::string& text) const;

    /// The twenty suggested cities, led by the current zone when it is not
    /// one of them.
    std::vector<TimeZoneEntity> suggestedEntities() const;

    /// What the dialog lists without a search: the suggestions.
    std::vector<TimeZoneEntity> results() const { return suggestedEntities(); }

    /// The current zone's city; always present.
    std::optional<TimeZoneEntity> defaultResult() const;
};

} // namespace plyx
