#include "shared/intents/DualClockConfigIntent.h"

#include "platform/time/Time.h"
#include "shared/intents/ClockIntentParameters.h"

namespace plyx {

const intents::IntentDescriptor& DualClockConfigIntent::descriptor() {
    static const intents::IntentDescriptor d{
        "DualClockConfigIntent",
        title,
        {ClockIntentParameters::city(homeKey, homeTitle, time::currentZone),
         ClockIntentParameters::city(awayKey, awayTitle, [] { return std::string(awayFallback); }),
         ClockIntentParameters::surface()},
    };
    return d;
}

DualClockConfigIntent DualClockConfigIntent::from(const intents::Configuration& config) {
    return {ClockIntentParameters::cityValue(config, homeKey), ClockIntentParameters::cityValue(config, awayKey),
            ClockIntentParameters::surfaceValue(config)};
}

} // namespace plyx
