#include "widgets/timelines/DaylightTimelineProvider.h"

#include "platform/time/Time.h"
#include "widgets/sources/local/SkyMath.h"

namespace plyx {

DaylightInfo DaylightTimelineProvider::info(const Intent& intent) {
    const auto place = intent.resolvedPlace();
    const Date now = time::now();
    const auto sunrise = SkyMath::solarEvent(true, now, place.latitude, place.longitude);
    if (!sunrise) return DaylightInfo::sample();
    const auto sunset = SkyMath::solarEvent(false, now, place.latitude, place.longitude);
    if (!sunset) return DaylightInfo::sample();
    return {*sunrise, *sunset, place.name};
}

DaylightTimelineProvider::Entry DaylightTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), DaylightInfo::sample(), SurfaceOption::followApp};
}

DaylightTimelineProvider::Entry DaylightTimelineProvider::snapshot(const Intent& intent,
                                                                   const widgetkit::TimelineProviderContext& ctx) const {
    const Date date = time::now();
    return {date, ctx.isPreview ? DaylightInfo::sample() : info(intent), intent.surface};
}

widgetkit::Timeline<DaylightTimelineProvider::Entry>
DaylightTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    const DaylightInfo day = info(intent);
    widgetkit::Timeline<Entry> out;
    for (const int minutes : kEntryOffsets) out.entries.push_back({time::now() + minutes * 60.0, day, intent.surface});
    out.policy = widgetkit::TimelineReloadPolicy::after(time::now() + kRefreshMinutes * 60.0);
    return out;
}

} // namespace plyx
