#pragma once
// The configuration of every widget that has no settings of its own besides
// its background: one `SurfaceOption`, which the provider copies into each
// entry it builds.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"

namespace plyx {

struct SurfaceConfigIntent {
    /// The intent's title on the configuration sheet.
    static constexpr const char* title = "Widget Options";
    /// The parameter's key and title.
    static constexpr const char* surfaceKey = "surface";
    static constexpr const char* surfaceTitle = "Background";

    /// The background of this widget instance.
    SurfaceOption surface = SurfaceOption::followApp;

    /// The one parameter, `surface`, an enumeration of the four background
    /// cases in sheet order, defaulting to `followApp`.
    static const intents::IntentDescriptor& descriptor();
    /// The intent a widget instance was configured as (defaults filled in).
    static SurfaceConfigIntent from(const intents::Configuration& config);
};

} // namespace plyx
