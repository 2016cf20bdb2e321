#pragma once
// How the configuration sheet finds cities for the clock widgets: the
// entities of stored identifiers, a search over the system's zone list, the
// suggestions shown before anything is typed, and the default city. Keeps
// nothing between calls.
#include "shared/intents/TimeZoneEntity.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx::TimeZoneQuery {

/// How many cities a search returns at most.
inline constexpr size_t kMaximumMatches = 12;

/// One entity per identifier, in the given order, taken as they are (no
/// look-up in the zone list).
std::vector<TimeZoneEntity> entitiesFor(const std::vector<std::string>& identifiers);

/// The first twelve of the system's zones, in the system's order, whose city
/// name contains `text` ignoring case in the current locale. The region part
/// before the city is never searched; an empty text finds nothing.
std::vector<TimeZoneEntity> entitiesMatching(const std::string& text);

/// The twenty suggested cities, led by the current zone when it is not one
/// of them.
std::vector<TimeZoneEntity> suggestedEntities();

/// What the sheet lists without a search: the suggestions.
std::vector<TimeZoneEntity> results();

/// The current zone's city; always present.
std::optional<TimeZoneEntity> defaultResult();

} // namespace plyx::TimeZoneQuery
