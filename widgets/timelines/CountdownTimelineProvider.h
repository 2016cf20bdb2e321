#pragma once
// The countdown's timelines: the configured name and date as they stand, one
// entry refreshed at every local midnight, so the day count moves on.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/CountdownConfigIntent.h"

#include <optional>
#include <string>
#include <utility>

namespace plyx {

struct CountdownTimelineProvider {
    using Intent = CountdownConfigIntent;
    /// The countdown's name and its date (none until one is set).
    using Entry = PlyxEntry<std::pair<std::string, std::optional<Date>>>;

    /// "Launch" twelve days from now, on the app's background.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The configured name and date, in the gallery too.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
    /// One entry of the configured values, the next request at the next
    /// local midnight.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;

    /// The start of the local day after the one holding `now`.
    static Date nextMidnight(Date now);
};

} // namespace plyx
