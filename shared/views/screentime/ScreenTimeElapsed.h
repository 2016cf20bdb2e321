#pragma once
// The share of the daily budget used, as a percentage and a 10 by 7 grid of
// dots that stands for the whole budget.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/UsageSnapshot.h"

#include <cstdint>

namespace plyx {

struct ScreenTimeElapsed {
    UsageSnapshot data;
    WCtx ctx;

    static constexpr int kColumns = 10;
    static constexpr int kRows = 7;

    /// The used share of the budget, held to 1; a budget of 0 counts as used up.
    static double ratio(const UsageSnapshot& data);
    static std::int64_t percent(const UsageSnapshot& data);
    static int filledDots(const UsageSnapshot& data);

    ui::View body() const;
};

} // namespace plyx
