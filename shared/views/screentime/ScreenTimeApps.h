#pragma once
// The three most-used applications, each with a dot bar measured against the
// most-used one and its time.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/UsageSnapshot.h"

namespace plyx {

struct ScreenTimeApps {
    UsageSnapshot data;
    WCtx ctx;

    static constexpr std::size_t kRows = 3;
    /// The share of its bar the most-used application fills.
    static constexpr double kTopShare = 0.74;

    /// A row's bar fraction; 0 when no application has any minutes.
    static double barFraction(const UsageSnapshot& data, const UsageSnapshot::App& app);

    ui::View body() const;
};

} // namespace plyx
