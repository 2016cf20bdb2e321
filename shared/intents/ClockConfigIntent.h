#pragma once
// The configuration of the single-city clocks: the city (none by default,
// which means the current zone) and the background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/intents/TimeZoneEntity.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockConfigIntent {
    static constexpr const char* title = "Clock Options";
    static constexpr const char* cityKey = "city";
    static constexpr const char* cityTitle = "City";

    std::optional<TimeZoneEntity> city;
    SurfaceOption surface = SurfaceOption::followApp;

    /// The zone to draw: the city's when the system knows its identifier,
    /// else the current zone. Computed afresh on every call, so an
    /// unconfigured clock follows a change of the current zone.
    std::string timeZone() const;

    /// `city` then `surface`, in the order of the configuration sheet.
    static const intents::IntentDescriptor& descriptor();
    static ClockConfigIntent from(const intents::Configuration& config);

    bool operator==(const ClockConfigIntent&) const = default;
};

} // namespace plyx
