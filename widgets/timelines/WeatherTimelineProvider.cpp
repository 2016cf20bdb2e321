#include "widgets/timelines/WeatherTimelineProvider.h"

#include "platform/time/Time.h"
#include "shared/sources/WeatherProvider.h"

namespace plyx {

namespace {

struct Resolved {
    WeatherSnapshot shown; ///< in the configured unit
    bool available;        ///< whether the source gave a snapshot (of any age)
};

// Blocks on the network when the cache is stale.
Resolved resolve(const WeatherConfigIntent& intent) {
    auto fetched = WeatherProvider::snapshot(intent.resolvedPlace());
    const bool available = fetched.has_value();
    return {intent.localized(available ? *fetched : WeatherSnapshot::sample()), available};
}

} // namespace

WeatherTimelineProvider::Entry WeatherTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), WeatherSnapshot::sample(), SurfaceOption::followApp};
}

WeatherTimelineProvider::Entry WeatherTimelineProvider::snapshot(const Intent& intent,
                                                                 const widgetkit::TimelineProviderContext& ctx) const {
    if (ctx.isPreview) return {time::now(), WeatherSnapshot::sample(), intent.surface};
    auto resolved = resolve(intent);
    return {time::now(), std::move(resolved.shown), intent.surface};
}

widgetkit::Timeline<WeatherTimelineProvider::Entry>
WeatherTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    const auto resolved = resolve(intent);
    widgetkit::Timeline<Entry> out;
    for (const int minutes : kEntryOffsets)
        out.entries.push_back({time::now() + minutes * 60.0, resolved.shown, intent.surface});
    const int interval = resolved.available ? kRefreshMinutes : kRetryMinutes;
    out.policy = widgetkit::TimelineReloadPolicy::after(time::now() + interval * 60.0);
    return out;
}

} // namespace plyx
