#pragma once
// Today's screen time against the daily budget: the total, a dot bar that
// turns to the accent colour past the budget, and what is left or over.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/UsageSnapshot.h"

#include <string>

namespace plyx {

struct ScreenTimeTotal {
    UsageSnapshot data;
    WCtx ctx;

    /// The bar's lit share within the budget and its share over it, each of
    /// the larger of total and budget; both 0 on a day with neither.
    struct Shares {
        double fraction = 0;
        double overFraction = 0;
    };
    static Shares shares(const UsageSnapshot& data);
    /// "30M left today" or "30M over limit".
    static std::string status(const UsageSnapshot& data);

    ui::View body() const;
};

} // namespace plyx
