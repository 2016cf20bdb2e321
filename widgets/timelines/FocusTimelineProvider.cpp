#include "widgets/timelines/FocusTimelineProvider.h"

#include "platform/time/Time.h"
#include "shared/stores/ExtrasStore.h"

namespace plyx {

namespace {
constexpr double kIdleRefreshSeconds = 3600;
} // namespace

FocusTimelineProvider::Entry FocusTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return Entry{time::now(), FocusSession::sample(), SurfaceOption::followApp};
}

FocusTimelineProvider::Entry FocusTimelineProvider::snapshot(const Intent& intent,
                                                             const widgetkit::TimelineProviderContext& ctx) const {
    const Date date = time::now();
    return Entry{date, ctx.isPreview ? FocusSession::sample() : ExtrasStore::focus(), intent.surface};
}

widgetkit::Timeline<FocusTimelineProvider::Entry>
FocusTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    Entry entry{time::now(), ExtrasStore::focus(), intent.surface};
    const std::optional<Date> end = entry.data.endDate;
    const Date now = time::now();
    const Date reload = end && *end > now ? *end : now + kIdleRefreshSeconds;
    return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(reload)};
}

} // namespace plyx
