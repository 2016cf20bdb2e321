#pragma once
// The configuration of the dual clock: a home and an away city (both unset
// by default) and the background. The widget decides the zones it draws.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/intents/TimeZoneEntity.h"

#include <optional>

namespace plyx {

struct DualClockConfigIntent {
    static constexpr const char* title = "Dual Time Options";
    static constexpr const char* homeKey = "home";
    static constexpr const char* homeTitle = "Home";
    static constexpr const char* awayKey = "away";
    static constexpr const char* awayTitle = "Away";
    /// The zone an unset away city shows; an unset home shows the current zone.
    static constexpr const char* awayFallback = "Australia/Sydney";

    std::optional<TimeZoneEntity> home, away;
    SurfaceOption surface = SurfaceOption::followApp;

    static const intents::IntentDescriptor& descriptor();
    static DualClockConfigIntent from(const intents::Configuration& config);

    bool operator==(const DualClockConfigIntent&) const = default;
};

} // namespace plyx
