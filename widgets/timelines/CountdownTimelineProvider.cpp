#include "widgets/timelines/CountdownTimelineProvider.h"

#include "platform/time/Time.h"

namespace plyx {

namespace {
constexpr const char* kPlaceholderName = "Launch";
constexpr int kPlaceholderDays = 12;
} // namespace

CountdownTimelineProvider::Entry CountdownTimelineProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    const Date now = time::now();
    return Entry{now, {kPlaceholderName, time::addingDays(now, kPlaceholderDays)}, SurfaceOption::followApp};
}

CountdownTimelineProvider::Entry CountdownTimelineProvider::snapshot(const Intent& intent,
                                                                     const widgetkit::TimelineProviderContext&) const {
    return Entry{time::now(), {intent.name, intent.target}, intent.surface};
}

widgetkit::Timeline<CountdownTimelineProvider::Entry>
CountdownTimelineProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    Entry entry{time::now(), {intent.name, intent.target}, intent.surface};
    return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(nextMidnight(time::now()))};
}

Date CountdownTimelineProvider::nextMidnight(Date now) {
    // Calendar days, not 86400 seconds: a day with a clock change is longer or shorter.
    return time::startOfDay(time::addingDays(now, 1));
}

} // namespace plyx
