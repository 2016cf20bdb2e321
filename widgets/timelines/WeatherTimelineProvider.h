#pragma once
// The provider of the four weather widgets: the snapshot of the configured
// (or default) place, fresh or cached, in the configured unit; the built-in
// sample when there is none at all. A timeline holds the same snapshot at
// three moments ten minutes apart and asks again after 30 minutes, or after
// 10 when it could show only the sample.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/models/WeatherSnapshot.h"

#include <array>

namespace plyx {

struct WeatherTimelineProvider {
    using Intent = WeatherConfigIntent;
    using Entry = PlyxEntry<WeatherSnapshot>;

    /// Minutes after the request at which the timeline's entries start.
    static constexpr std::array<int, 3> kEntryOffsets{0, 10, 20};
    /// Minutes until the next timeline, with and without a snapshot.
    static constexpr int kRefreshMinutes = 30;
    static constexpr int kRetryMinutes = 10;

    /// The unconverted sample on the app's background; reads nothing.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// In a gallery the unconverted sample, fetching nothing; otherwise the
    /// place's snapshot in the configured unit, dated after the fetch.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
