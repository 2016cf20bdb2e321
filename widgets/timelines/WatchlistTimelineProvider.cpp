#include "widgets/timelines/WatchlistTimelineProvider.h"

#include "platform/time/Time.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "widgets/sources/web/StocksProvider.h"

namespace plyx {

std::vector<StockSnapshot> WatchlistTimelineProvider::fetch(const Intent& intent) {
    std::vector<StockSnapshot> out;
    // In turn, never two at once: one request to the service per timeline at a time.
    for (const auto& symbol : intent.symbols())
        if (auto s = StocksProvider::snapshot(symbol)) out.push_back(std::move(*s));
    return out;
}

WatchlistTimelineProvider::Entry
WatchlistTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return Entry{time::now(), StockWatchlistView::sample(), SurfaceOption::followApp};
}

WatchlistTimelineProvider::Entry WatchlistTimelineProvider::snapshot(const Intent& intent,
                                                                     const widgetkit::TimelineProviderContext& ctx) const {
    const Date date = time::now();
    if (ctx.isPreview) return Entry{date, StockWatchlistView::sample(), intent.surface};
    return Entry{date, fetch(intent), intent.surface};
}

widgetkit::Timeline<WatchlistTimelineProvider::Entry>
WatchlistTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    auto stocks = fetch(intent);
    const int minutes = stocks.empty() ? kRetryMinutes : kRefreshMinutes;
    Entry entry{time::now(), std::move(stocks), intent.surface};
    const Date reload = time::now() + minutes * 60.0;
    return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(reload)};
}

} // namespace plyx
