#include "shared/intents/ClockIntentParameters.h"

#include "platform/intents/Entity.h"
#include "platform/time/Time.h"
#include "shared/intents/TimeZoneQuery.h"

namespace plyx::ClockIntentParameters {

intents::ParameterDescriptor city(const std::string& key, const std::string& title) {
    intents::ParameterDescriptor p;
    p.key = key;
    p.title = title;
    p.kind = intents::ParameterKind::entity;
    p.defaultValue = nullptr;
    p.typeTitle = TimeZoneEntity::typeDisplayName;
    p.optional = true;
    p.query = intents::entityQuery<TimeZoneEntity>(TimeZoneQuery{});
    return p;
}

intents::ParameterDescriptor surface() {
    intents::ParameterDescriptor p;
    p.key = surfaceKey;
    p.title = surfaceTitle;
    p.kind = intents::ParameterKind::enumeration;
    p.defaultValue = std::string(SurfaceOptionInfo::rawValue(SurfaceOptionInfo::defaultValue));
    p.typeTitle = SurfaceOptionInfo::typeDisplayText;
    for (auto s : SurfaceOptionInfo::allCases)
        p.cases.push_back({std::string(SurfaceOptionInfo::rawValue(s)), std::string(SurfaceOptionInfo::displayText(s))});
    return p;
}

std::optional<TimeZoneEntity> cityValue(const intents::Configuration& config, const std::string& key) {
    const auto& v = config.value(key);
    if (!v.is_string()) return std::nullopt;
    return TimeZoneEntity{v.get<std::string>()};
}

SurfaceOption surfaceValue(const intents::Configuration& config) {
    const auto& v = config.value(surfaceKey);
    if (v.is_string())
        if (auto s = SurfaceOptionInfo::fromRawValue(v.get<std::string>())) return *s;
    return SurfaceOptionInfo::defaultValue;
}

std::string zoneOrCurrent(const std::string& identifier) {
    return time::isKnownZone(identifier) ? identifier : time::currentZone();
}

} // namespace plyx::ClockIntentParameters
