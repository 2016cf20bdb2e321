#include "widgets/timelines/AirQualityTimelineProvider.h"

#include "platform/time/Time.h"
#include "widgets/sources/web/AirQualityProvider.h"

namespace plyx {

AirQualityTimelineProvider::Entry
AirQualityTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), AirQualitySnapshot::sample(), SurfaceOption::followApp};
}

AirQualityTimelineProvider::Entry
AirQualityTimelineProvider::snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const {
    if (ctx.isPreview) return {time::now(), AirQualitySnapshot::sample(), intent.surface};
    auto fetched = AirQualityProvider::snapshot(intent.resolvedPlace());
    return {time::now(), fetched.value_or(AirQualitySnapshot::sample()), intent.surface};
}

widgetkit::Timeline<AirQualityTimelineProvider::Entry>
AirQualityTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    const auto fetched = AirQualityProvider::snapshot(intent.resolvedPlace());
    widgetkit::Timeline<Entry> out;
    out.entries.push_back({time::now(), fetched.value_or(AirQualitySnapshot::sample()), intent.surface});
    const int interval = fetched ? kRefreshMinutes : kRetryMinutes;
    out.policy = widgetkit::TimelineReloadPolicy::after(time::now() + interval * 60.0);
    return out;
}

} // namespace plyx
