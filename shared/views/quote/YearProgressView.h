#pragma once
// The year's progress: 54 dots filled for the share of the year passed, the
// last filled one (today's) singled out, with the percentage and the days left.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/YearInfo.h"

#include <cstdint>

namespace plyx {

struct YearProgressView {
    YearInfo info;
    WCtx ctx;

    /// Dots in the grid: 18 columns of 3 rows.
    static constexpr int kColumns = 18;
    static constexpr int kRows = 3;

    /// The share of the year passed: the day over the days in the year
    /// (0 for a year without days).
    double share() const;
    /// Dots filled, of 54, rounded half away from zero.
    int filledDots() const;
    /// Whole percent passed, rounded half away from zero.
    std::int64_t percent() const;

    ui::View body() const;
};

} // namespace plyx
