#include "shared/intents/ClockConfigIntent.h"

#include "platform/time/Time.h"
#include "shared/intents/ClockIntentParameters.h"

namespace plyx {

std::string ClockConfigIntent::timeZone() const {
    return city ? ClockIntentParameters::zoneOrCurrent(city->id) : time::currentZone();
}

const intents::IntentDescriptor& ClockConfigIntent::descriptor() {
    static const intents::IntentDescriptor d{
        "ClockConfigIntent",
        title,
        {ClockIntentParameters::city(cityKey, cityTitle, time::currentZone), ClockIntentParameters::surface()},
    };
    return d;
}

ClockConfigIntent ClockConfigIntent::from(const intents::Configuration& config) {
    return {ClockIntentParameters::cityValue(config, cityKey), ClockIntentParameters::surfaceValue(config)};
}

} // namespace plyx
