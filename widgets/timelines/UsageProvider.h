#pragma once
// The screen-time widgets' provider: the usage log's snapshot against the
// daily budget, read afresh on every request, asked again ten minutes later.
#include "platform/widgetkit/Timeline.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/models/UsageSnapshot.h"

#include <cstdint>

namespace plyx {

struct UsageProvider {
    using Intent = SurfaceConfigIntent;
    using Entry = PlyxEntry<UsageSnapshot>;

    /// Minutes from a timeline request until the next one.
    static constexpr int kRefreshMinutes = 10;
    /// The budget when none above 0 is stored: eight hours.
    static constexpr std::int64_t kDefaultBudgetMinutes = 480;

    /// "plyx.screenTimeBudgetMinutes" when above 0, else eight hours.
    static std::int64_t budget();

    /// The sample, on the app's own background.
    Entry placeholder(const widgetkit::TimelineProviderContext&) const;
    /// The sample in a preview; else the log's snapshot, or the sample when the log is empty.
    Entry snapshot(const Intent& intent, const widgetkit::TimelineProviderContext& ctx) const;
    /// The log's snapshot, or an empty day against the budget; never the sample.
    widgetkit::Timeline<Entry> timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const;
};

} // namespace plyx
