#pragma once
// The daylight widget's provider: today's sunrise and sunset at the
// configured (or default) place, computed here. A timeline holds the same
// day at three moments ten minutes apart, so the sun moves along its arc,
// and asks again after 30 minutes.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/models/DaylightInfo.h"

#include <array>

namespace plyx {

struct DaylightTimelineProvider {
    using Intent = WeatherConfigIntent;
    using Entry = PlyxEntry<DaylightInfo>;

    static constexpr std::array<int, 3> kEntryOffsets{0, 10, 20};
    static constexpr int kRefreshMinutes = 30;

    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a gallery, else today's day at the place.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;

    /// Today's sunrise and sunset at the place, named after it; the sample
    /// when the sun does not rise or does not set there today.
    static DaylightInfo info(const Intent& intent);
};

} // namespace plyx
