#include "widgets/timelines/NowPlayingProvider.h"

#include "platform/time/Time.h"
#include "shared/stores/MediaBridge.h"

#include <algorithm>
#include <cmath>

namespace plyx {

NowPlayingProvider::Entry NowPlayingProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), NowPlayingSnapshot::sample(), SurfaceOption::followApp};
}

NowPlayingProvider::Entry NowPlayingProvider::snapshot(const Intent& intent,
                                                       const widgetkit::TimelineProviderContext& ctx) const {
    const Date date = time::now();
    if (ctx.isPreview) return {date, NowPlayingSnapshot::sample(), intent.surface};
    return {date, MediaBridge::nowPlaying(), intent.surface};
}

std::vector<NowPlayingProvider::Entry> NowPlayingProvider::entries(const std::optional<NowPlayingSnapshot>& damaged,
                                                                   Date now, SurfaceOption surface) {
    // Held to a day before the sums below, which a stored 2^63 would overflow.
    const auto stored = damaged ? std::optional(damaged->held()) : std::nullopt;
    if (!stored || !stored->isPlaying || stored->durationSeconds <= 0) return {Entry{now, stored, surface}};
    const std::int64_t duration = stored->durationSeconds;
    // An `updated` ahead of now counts as just now; a damaged one far behind
    // still lands on the track's end.
    const double elapsed = std::clamp(std::trunc(now.timeIntervalSince(stored->updated)), 0.0,
                                      double(NowPlayingSnapshot::kLongestSeconds));
    const std::int64_t start = std::min(stored->positionSeconds + static_cast<std::int64_t>(elapsed), duration);
    std::vector<Entry> out;
    for (int i = 0; i < kMaxEntries; ++i) {
        const std::int64_t reached = start + std::int64_t{kEntrySpacingSeconds} * i;
        const Date date = now + static_cast<double>(kEntrySpacingSeconds) * i;
        NowPlayingSnapshot copy = *stored;
        copy.positionSeconds = std::min(reached, duration);
        copy.updated = date;
        out.push_back({date, std::move(copy), surface});
        if (reached >= duration) break;
    }
    return out;
}

widgetkit::Timeline<NowPlayingProvider::Entry> NowPlayingProvider::timeline(
    const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    auto run = entries(MediaBridge::nowPlaying(), time::now(), intent.surface);
    const Date reload = time::now() + kRefreshMinutes * 60.0;
    return {std::move(run), widgetkit::TimelineReloadPolicy::after(reload)};
}

} // namespace plyx
