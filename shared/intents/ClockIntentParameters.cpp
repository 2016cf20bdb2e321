#include "shared/intents/ClockIntentParameters.h"

#include "platform/intents/Entity.h"
#include "platform/time/Time.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/intents/TimeZoneQuery.h"

namespace plyx::ClockIntentParameters {

intents::ParameterDescriptor city(const std::string& key, const std::string& title,
                                  std::function<std::string()> fallbackZone) {
    intents::ParameterDescriptor p;
    p.key = key;
    p.title = title;
    p.kind = intents::ParameterKind::entity;
    p.defaultValue = nullptr;
    p.typeTitle = TimeZoneEntity::typeDisplayName;
    p.optional = true;
    p.query = intents::entityQuery<TimeZoneEntity>(TimeZoneQuery{});
    p.fallbackTitle = [fallbackZone = std::move(fallbackZone)] { return TimeZoneEntity::cityName(fallbackZone()); };
    // A stored identifier is kept even when it names no zone; a new one must name one.
    p.needs = [](const intents::Json& v) -> std::optional<std::string> {
        if (time::isKnownZone(v.get<std::string>())) return std::nullopt;
        return "a time-zone identifier such as \"Europe/London\"";
    };
    return p;
}

intents::ParameterDescriptor surface() {
    // The same parameter as every other widget's background.
    return SurfaceConfigIntent::descriptor().parameters.front();
}

std::optional<TimeZoneEntity> cityValue(const intents::Configuration& config, const std::string& key) {
    const auto& v = config.value(key);
    if (!v.is_string()) return std::nullopt;
    return TimeZoneEntity{v.get<std::string>()};
}

SurfaceOption surfaceValue(const intents::Configuration& config) { return SurfaceConfigIntent::from(config).surface; }

std::string zoneOrCurrent(const std::string& identifier) {
    return time::isKnownZone(identifier) ? identifier : time::currentZone();
}

} // namespace plyx::ClockIntentParameters
