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
        target.needs = [](const intents::Json& v) -> std::optional<std::string> {
            // Years 1 to 9999: what the calendar and the date formats can show.
            constexpr double kFirst = -62135596800.0 - 978307200.0; // 0001-01-01T00:00:00Z
            constexpr double kLast = 253402300799.0 - 978307200.0;  // 9999-12-31T23:59:59Z
            const double seconds = v.get<double>();
            if (seconds >= kFirst && seconds <= kLast) return std::nullopt;
            return std::string("a date between the years 1 and 9999, in seconds since 2001");
        };
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
