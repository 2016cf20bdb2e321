#include "widgets/timelines/StockTimelineProvider.h"

#include "platform/time/Time.h"
#include "widgets/sources/web/StocksProvider.h"

namespace plyx {

StockTimelineProvider::Entry StockTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return Entry{time::now(), StockSnapshot::sample(), SurfaceOption::followApp};
}

StockTimelineProvider::Entry StockTimelineProvider::snapshot(const Intent& intent,
                                                             const widgetkit::TimelineProviderContext& ctx) const {
    if (ctx.isPreview) return Entry{time::now(), StockSnapshot::sample(), intent.surface};
    auto shown = StocksProvider::snapshot(intent.symbol).value_or(StockSnapshot::sample());
    return Entry{time::now(), std::move(shown), intent.surface};
}

widgetkit::Timeline<StockTimelineProvider::Entry>
StockTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    const auto fetched = StocksProvider::snapshot(intent.symbol);
    // Only whether a snapshot came back counts, however old it is.
    const int minutes = fetched ? kRefreshMinutes : kRetryMinutes;
    Entry entry{time::now(), fetched.value_or(StockSnapshot::sample()), intent.surface};
    const Date reload = time::now() + minutes * 60.0;
    return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(reload)};
}

} // namespace plyx
