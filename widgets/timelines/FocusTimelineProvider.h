#pragma once
// The focus widget's timelines: the stored session, asked again when a
// running session ends, or after an hour when none runs. The view counts
// down by itself in between.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/models/FocusSession.h"

namespace plyx {

struct FocusTimelineProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<FocusSession>;

    /// The running sample session on the app's background.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a gallery preview, else the stored session.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    /// One entry of the stored session (a stopped 25-minute one when nothing
    /// readable is stored); the next request at a running session's end, else
    /// an hour later.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
