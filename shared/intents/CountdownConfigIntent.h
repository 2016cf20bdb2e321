#pragma once
// The countdown widget's settings: its title, the moment it counts to (none
// until the user picks one) and its background.
#include "platform/intents/Intent.h"
#include "platform/time/Date.h"
#include "shared/foundation/SurfaceOption.h"

#include <optional>
#include <string>

namespace plyx {

struct CountdownConfigIntent {
    static constexpr const char* title = "Countdown Options";
    static constexpr const char* nameKey = "name";
    static constexpr const char* targetKey = "target";

    std::string name = "Launch";
    /// Chosen as a date and a time.
    std::optional<Date> target;
    SurfaceOption surface = SurfaceOption::followApp;

    /// "Title" (text, "Launch"), "Date" (optional date, none), "Background".
    static const intents::IntentDescriptor& descriptor();
    /// The intent a widget instance was configured as (defaults filled in).
    static CountdownConfigIntent from(const intents::Configuration& config);
};

} // namespace plyx
