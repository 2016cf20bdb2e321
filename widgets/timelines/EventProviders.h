#pragma once
// The timeline providers of the reminders and calendar widgets. Each reads
// the user's calendar sources itself when it has full access, and stores what
// it read so both programs keep one snapshot; without access, or when the
// read fails, it shows the snapshot last stored. Every timeline is one entry,
// asked for again 15 minutes later.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/models/CalendarSnapshot.h"
#include "shared/models/RemindersSnapshot.h"

namespace plyx {

struct RemindersProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<RemindersSnapshot>;

    /// The sample, on the app's own background; nothing is read.
    Entry placeholder(const widgetkit::TimelineProviderContext& ctx) const;
    /// The sample in a gallery; else what is read, stored, or the sample.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    /// What is read, else what is stored, else an empty snapshot.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
};

struct CalendarProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<CalendarSnapshot>;

    Entry placeholder(const widgetkit::TimelineProviderContext& ctx) const;
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
};

} // namespace plyx
