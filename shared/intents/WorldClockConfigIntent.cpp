#include "shared/intents/WorldClockConfigIntent.h"

#include "platform/time/Time.h"
#include "shared/intents/ClockIntentParameters.h"

namespace plyx {

std::vector<std::string> WorldClockConfigIntent::zones() const {
    using ClockIntentParameters::zoneOrCurrent;
    const std::array<const std::optional<TimeZoneEntity>*, 3> slots{&city1, &city2, &city3};
    const std::array<std::string, 3> fallbacks{time::currentZone(), secondSlotFallback, thirdSlotFallback};
    std::vector<std::string> out;
    for (size_t i = 0; i < slots.size(); ++i)
        out.push_back(zoneOrCurrent(*slots[i] ? (*slots[i])->id : fallbacks[i]));
    return out;
}

const intents::IntentDescriptor& WorldClockConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::IntentDescriptor out{"WorldClockConfigIntent", title, {}};
        const std::array<std::function<std::string()>, 3> fallbacks{
            time::currentZone, [] { return std::string(secondSlotFallback); },
            [] { return std::string(thirdSlotFallback); }};
        for (size_t i = 0; i < cityKeys.size(); ++i)
            out.parameters.push_back(ClockIntentParameters::city(cityKeys[i], cityTitles[i], fallbacks[i]));
        out.parameters.push_back(ClockIntentParameters::surface());
        return out;
    }();
    return d;
}

WorldClockConfigIntent WorldClockConfigIntent::from(const intents::Configuration& config) {
    WorldClockConfigIntent intent;
    intent.city1 = ClockIntentParameters::cityValue(config, cityKeys[0]);
    intent.city2 = ClockIntentParameters::cityValue(config, cityKeys[1]);
    intent.city3 = ClockIntentParameters::cityValue(config, cityKeys[2]);
    intent.surface = ClockIntentParameters::surfaceValue(config);
    return intent;
}

} // namespace plyx
