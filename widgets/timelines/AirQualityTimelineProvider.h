#pragma once
// The air-quality widget's provider: the index at the configured (or
// default) place from the air-quality client, fresh or cached; the sample
// when it has nothing, and then asking again after 15 minutes instead of 30.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/models/AirQualitySnapshot.h"

namespace plyx {

struct AirQualityTimelineProvider {
    using Intent = WeatherConfigIntent;
    using Entry = PlyxEntry<AirQualitySnapshot>;

    static constexpr int kRefreshMinutes = 30;
    static constexpr int kRetryMinutes = 15;

    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a gallery, resolving and fetching nothing; otherwise the
    /// place's index (the sample when there is none), dated after the fetch.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
