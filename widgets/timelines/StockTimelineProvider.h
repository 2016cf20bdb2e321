#pragma once
// The ticker's timelines: the configured symbol's snapshot from the stock
// client (cache, fetch or stale cache), or the sample stock when there is
// none, asked again sooner when nothing came back.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/StockConfigIntent.h"
#include "shared/models/StockSnapshot.h"

namespace plyx {

struct StockTimelineProvider {
    using Intent = StockConfigIntent;
    using Entry = PlyxEntry<StockSnapshot>;

    /// Minutes to the next timeline with a snapshot, and without one.
    static constexpr int kRefreshMinutes = 15;
    static constexpr int kRetryMinutes = 10;

    /// The sample stock on the app's background; reads nothing.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a gallery preview (nothing fetched), else the symbol's
    /// snapshot or the sample, dated after the fetch.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    /// One entry of the symbol's snapshot or the sample; the next request
    /// after 15 minutes, or 10 when no snapshot came back.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
