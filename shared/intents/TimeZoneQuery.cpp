#include "shared/intents/TimeZoneQuery.h"

#include "platform/time/TextMatch.h"
#include "platform/time/Time.h"
#include "platform/time/ZoneList.h"

#include <algorithm>

namespace plyx {

std::vector<TimeZoneEntity> TimeZoneQuery::entitiesFor(const std::vector<std::string>& identifiers) const {
    std::vector<TimeZoneEntity> out;
    out.reserve(identifiers.size());
    for (const auto& id : identifiers) out.push_back({id});
    return out;
}

std::vector<TimeZoneEntity> TimeZoneQuery::entitiesMatching(const std::string& text) const {
    std::vector<TimeZoneEntity> out;
    const std::string locale = time::currentLocale();
    for (const auto& id : time::knownZoneIdentifiers()) {
        if (out.size() == kMaximumMatches) break;
        if (time::localizedCaseInsensitiveContains(TimeZoneEntity::cityName(id), text, locale)) out.push_back({id});
    }
    return out;
}

std::vector<TimeZoneEntity> TimeZoneQuery::suggestedEntities() const {
    std::vector<TimeZoneEntity> out;
    const std::string current = time::currentZone();
    const auto& listed = TimeZoneEntity::suggestions;
    if (std::find(listed.begin(), listed.end(), current) == listed.end()) out.push_back({current});
    for (const char* id : listed) out.push_back({id});
    return out;
}

std::optional<TimeZoneEntity> TimeZoneQuery::defaultResult() const { return TimeZoneEntity{time::currentZone()}; }

} // namespace plyx
