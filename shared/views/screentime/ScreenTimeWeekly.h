#pragma once
// The last seven days as a dot-matrix bar chart under the daily average;
// today in the accent colour, the busiest other day in the fill colour.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/UsageSnapshot.h"
#include "shared/views/kit/DotBarChart.h"

#include <cstdint>
#include <vector>

namespace plyx {

struct ScreenTimeWeekly {
    UsageSnapshot data;
    WCtx ctx;

    /// The whole minutes per day over the days given (truncated); 0 for none.
    static std::int64_t average(const UsageSnapshot& data);
    /// One bar per day, oldest first; all empty when no day has minutes.
    std::vector<DotBarChart::Bar> bars() const;

    ui::View body() const;
};

} // namespace plyx
