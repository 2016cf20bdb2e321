#include "shared/intents/SurfaceConfigIntent.h"

namespace plyx {

const intents::IntentDescriptor& SurfaceConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor surface;
        surface.key = surfaceKey;
        surface.title = surfaceTitle;
        surface.kind = intents::ParameterKind::enumeration;
        surface.defaultValue = std::string(SurfaceOptionInfo::rawValue(SurfaceOptionInfo::defaultValue));
        surface.typeTitle = SurfaceOptionInfo::typeDisplayText;
        for (auto s : SurfaceOptionInfo::allCases)
            surface.cases.push_back(
                {std::string(SurfaceOptionInfo::rawValue(s)), std::string(SurfaceOptionInfo::displayText(s))});
        return intents::IntentDescriptor{"SurfaceConfigIntent", title, {surface}};
    }();
    return d;
}

SurfaceConfigIntent SurfaceConfigIntent::from(const intents::Configuration& config) {
    SurfaceConfigIntent intent;
    const auto& v = config.value(surfaceKey);
    // The bag was checked against the descriptor, so only a raw value of a
    // case gets here; anything else keeps the default.
    if (v.is_string())
        if (auto s = SurfaceOptionInfo::fromRawValue(v.get<std::string>())) intent.surface = *s;
    return intent;
}

} // namespace plyx
