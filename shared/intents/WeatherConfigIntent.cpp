#include "shared/intents/WeatherConfigIntent.h"

#include "platform/time/Time.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/intents/WeatherPlaceQuery.h"
#include "shared/sources/DefaultPlace.h"

#include <cmath>

namespace plyx {

bool usesUSMeasurement(const std::string& localeId) { return time::measuresInUSUnits(localeId); }

WeatherSnapshot WeatherConfigIntent::localized(const WeatherSnapshot& snapshot) const {
    switch (unit) {
    case TempUnitOption::fahrenheit: return snapshot.inFahrenheit();
    case TempUnitOption::celsius: return snapshot;
    case TempUnitOption::system: break;
    }
    return usesUSMeasurement() ? snapshot.inFahrenheit() : snapshot;
}

WeatherProvider::Place WeatherConfigIntent::resolvedPlace() const {
    return place ? place->place() : WeatherProvider::defaultPlace();
}

const intents::IntentDescriptor& WeatherConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor place;
        place.key = placeKey;
        place.title = placeTitle;
        place.kind = intents::ParameterKind::entity;
        place.typeTitle = WeatherPlaceEntity::typeDisplayName;
        place.optional = true;
        place.query = intents::entityQuery<WeatherPlaceEntity>(WeatherPlaceQuery{});
        place.fallbackTitle = [] { return WeatherProvider::defaultPlace().name; };
        place.needs = [](const intents::Json& v) -> std::optional<std::string> {
            const auto p = WeatherPlaceEntity{v.get<std::string>()}.encodedPlace();
            if (p && std::fabs(p->latitude) <= 90 && std::fabs(p->longitude) <= 180) return std::nullopt;
            return std::string("a place as name|latitude|longitude, such as \"Oslo|59.9|10.7\"");
        };

        intents::ParameterDescriptor unit;
        unit.key = unitKey;
        unit.title = unitTitle;
        unit.kind = intents::ParameterKind::enumeration;
        unit.defaultValue = std::string(TempUnitOptionInfo::rawValue(TempUnitOption::system));
        unit.typeTitle = TempUnitOptionInfo::typeDisplayText;
        for (auto t : TempUnitOptionInfo::allCases)
            unit.cases.push_back(
                {std::string(TempUnitOptionInfo::rawValue(t)), std::string(TempUnitOptionInfo::displayText(t))});

        // The background is the widget options' own parameter, not a copy.
        return intents::IntentDescriptor{"WeatherConfigIntent", title,
                                         {place, unit, SurfaceConfigIntent::descriptor().parameters.front()}};
    }();
    return d;
}

WeatherConfigIntent WeatherConfigIntent::from(const intents::Configuration& config) {
    WeatherConfigIntent intent;
    // The bag was checked against the descriptor; anything else keeps the default.
    if (const auto& v = config.value(placeKey); v.is_string()) intent.place = WeatherPlaceEntity{v.get<std::string>()};
    if (const auto& v = config.value(unitKey); v.is_string())
        if (auto t = TempUnitOptionInfo::fromRawValue(v.get<std::string>())) intent.unit = *t;
    if (const auto& v = config.value(surfaceKey); v.is_string())
        if (auto s = SurfaceOptionInfo::fromRawValue(v.get<std::string>())) intent.surface = *s;
    return intent;
}

} // namespace plyx
