#include "shared/intents/CountdownConfigIntent.h"

#include "platform/base/TextLength.h"
#include "shared/intents/SurfaceConfigIntent.h"

namespace plyx {

const intents::IntentDescriptor& CountdownConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor name;
        name.key = nameKey;
        name.title = "Title";
        name.kind = intents::ParameterKind::string;
        name.defaultValue = CountdownConfigIntent().name;
        intents::ParameterDescriptor target;
        target.key = targetKey;
        target.title = "Date";
        target.kind = intents::ParameterKind::date;
        target.optional = true;
        return intents::IntentDescriptor{"CountdownConfigIntent", title,
                                         {name, target, SurfaceConfigIntent::descriptor().parameters.front()}};
    }();
    return d;
}

CountdownConfigIntent CountdownConfigIntent::from(const intents::Configuration& config) {
    CountdownConfigIntent intent;
    // The bag was checked against the descriptor: a name is text, a target a
    // number of seconds or none.
    if (const auto& v = config.value(nameKey); v.is_string())
        intent.name = text::heldToLength(v.get_ref<const std::string&>(), text::kMaxNameLength);
    if (const auto& v = config.value(targetKey); v.is_number()) intent.target = Date{v.get<double>()};
    intent.surface = SurfaceConfigIntent::from(config).surface;
    return intent;
}

} // namespace plyx
