#include "shared/intents/TimeZoneQuery.h"

#include "platform/time/TextMatch.h"
#include "platform/time/Time.h"
#include "platform/time/ZoneList.h"

#include <algorithm>

namespace plyx::TimeZoneQuery {

std::vector<TimeZoneEntity> entitiesFor(const std::vector<std::string>& identifiers) {
    std::vector<TimeZoneEntity> out;
    out.reserve(identifiers.size());
    for (const auto& id : identifiers) out.push_back({id});
    return out;
}

std::vector<TimeZoneEntity> entitiesMatching(const std::string& text) {
    std::vector<TimeZoneEntity> out;
    const std::string locale = time::currentLocale();
    for (const auto& id : time::knownZoneIdentifiers()) {
        if (out.size() == kMaximumMatches) break;
        if (time::localizedCaseInsensitiveContains(TimeZoneEntity::cityName(id), text, locale)) out.push_back({id});
    }
    return out;
}

std::vector<TimeZoneEntity> suggestedEntities() {
    std::vector<TimeZoneEntity> out;
    const std::string current = time::currentZone();
    const auto& listed = TimeZoneEntity::suggestions;
    if (std::find(listed.begin(), listed.end(), current) == listed.end()) out.push_back({current});
    for (const char* id : listed) out.push_back({id});
    return out;
}

std::vector<TimeZoneEntity> results() { return suggestedEntities(); }

std::optional<TimeZoneEntity> defaultResult() { return TimeZoneEntity{time::currentZone()}; }

} // namespace plyx::TimeZoneQuery
