#pragma once
// The watchlist's timelines: the configured symbols' snapshots in order, one
// request at a time, a symbol without one simply left out.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/WatchlistConfigIntent.h"
#include "shared/models/StockSnapshot.h"

#include <vector>

namespace plyx {

struct WatchlistTimelineProvider {
    using Intent = WatchlistConfigIntent;
    using Entry = PlyxEntry<std::vector<StockSnapshot>>;

    /// Minutes to the next timeline with at least one stock, and with none.
    static constexpr int kRefreshMinutes = 15;
    static constexpr int kRetryMinutes = 10;

    /// The snapshots of the configured symbols that could be had, in symbol
    /// order; each request finishes before the next starts. No request for
    /// an empty list.
    static std::vector<StockSnapshot> fetch(const Intent& intent);

    /// The three sample stocks on the app's background; reads nothing.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The samples in a gallery preview (nothing fetched), else the fetched
    /// list, possibly empty.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    /// One entry of the fetched list; the next request after 15 minutes, or
    /// 10 when the list is empty.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
