#pragma once
// The now-playing and remote widgets' provider: the snapshot the application
// stored, and while a track plays a run of entries 15 seconds apart with the
// position moved on, so the widget keeps up without new snapshots.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/models/NowPlayingSnapshot.h"

#include <optional>

namespace plyx {

struct NowPlayingProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<std::optional<NowPlayingSnapshot>>;

    static constexpr int kEntrySpacingSeconds = 15;
    static constexpr int kMaxEntries = 20;
    static constexpr int kRefreshMinutes = 2;

    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a preview, else the stored snapshot as it is.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;

    /// The entries for `stored` seen at `now`. A playing track with a length
    /// gives up to 20 entries, each a copy at its own date with the position
    /// reached by then (held to the length) and that date as `updated`, so a
    /// view counting on from `updated` counts each second once. Anything else
    /// gives one entry as stored.
    static std::vector<Entry> entries(const std::optional<NowPlayingSnapshot>& stored, Date now, SurfaceOption surface);
};

} // namespace plyx
