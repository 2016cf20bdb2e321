#pragma once
// The timelines of the ten clocks: an hour of entries, one a minute from the
// start of the current minute, each carrying the widget's configuration
// itself; the clock faces resolve their zones from it when drawn. Asked
// again once the last entry has passed. Nothing is read from storage.
#include "platform/time/Time.h"
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/ClockConfigIntent.h"
#include "shared/intents/DualClockConfigIntent.h"
#include "shared/intents/WorldClockConfigIntent.h"

namespace plyx {

namespace clock_timeline {

/// Entries in a timeline: one hour, one a minute.
inline constexpr int kMinutes = 60;

/// A timeline of `make(date)` for each of the 60 minutes from the start of
/// the current one, to be replaced at its end.
template <class Entry, class Make> widgetkit::Timeline<Entry> minuteEntries(Make make) {
    const Date now = time::now();
    const auto c = time::components(now);
    const Date start = now - (c.second + c.fraction);
    widgetkit::Timeline<Entry> out;
    out.entries.reserve(kMinutes);
    for (int i = 0; i < kMinutes; ++i) out.entries.push_back(make(start + 60.0 * i));
    out.policy = widgetkit::TimelineReloadPolicy::atEnd();
    return out;
}

} // namespace clock_timeline

/// The provider of a clock configured by `ConfigIntent`.
template <class ConfigIntent> struct ClockTimelineProvider {
    using Intent = ConfigIntent;
    using Entry = PlyxEntry<ConfigIntent>;

    /// An unconfigured clock, dated now, on the app's own background.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const {
        return Entry{time::now(), Intent{}, SurfaceOption::followApp};
    }

    /// The configured clock dated now, in a gallery preview too: it keeps no
    /// shared data to hide.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
        return Entry{time::now(), intent, intent.surface};
    }

    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
        return clock_timeline::minuteEntries<Entry>([&](Date date) { return Entry{date, intent, intent.surface}; });
    }
};

/// The eight single-city clocks.
using ClockProvider = ClockTimelineProvider<ClockConfigIntent>;
/// The world clock.
using WorldClockProvider = ClockTimelineProvider<WorldClockConfigIntent>;
/// The dual clock.
using DualClockProvider = ClockTimelineProvider<DualClockConfigIntent>;

} // namespace plyx
