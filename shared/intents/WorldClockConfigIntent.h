#pragma once
// The configuration of the world clock: three cities, each falling back to
// its own default zone when unset, and the background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/intents/TimeZoneEntity.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct WorldClockConfigIntent {
    static constexpr const char* title = "World Clock Options";
    static constexpr std::array<const char*, 3> cityKeys{"city1", "city2", "city3"};
    static constexpr std::array<const char*, 3> cityTitles{"City 1", "City 2", "City 3"};
    /// The zones of unset slots two and three; slot one falls back to the
    /// current zone.
    static constexpr const char* secondSlotFallback = "America/New_York";
    static constexpr const char* thirdSlotFallback = "Asia/Tokyo";

    std::optional<TimeZoneEntity> city1, city2, city3;
    SurfaceOption surface = SurfaceOption::followApp;

    /// Always three zones, one per slot in order. A set city gives its zone,
    /// or the current zone when the system does not know the identifier (not
    /// the slot's fallback); an unset slot gives its fallback, or the current
    /// zone when the system does not know that.
    std::vector<std::string> zones() const;

    static const intents::IntentDescriptor& descriptor();
    static WorldClockConfigIntent from(const intents::Configuration& config);

    bool operator==(const WorldClockConfigIntent&) const = default;
};

} // namespace plyx
