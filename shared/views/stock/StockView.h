#pragma once
// The ticker: one symbol with its last price and the day's change, over a
// dot-matrix chart of the day in which the last two bars carry the day's
// direction and the high bars stand out.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/StockSnapshot.h"
#include "shared/views/kit/DotBarChart.h"

#include <vector>

namespace plyx {

struct StockView {
    StockSnapshot data;
    WCtx ctx;

    /// The chart's bars, one per point in order: each at least a quarter high,
    /// the rest following the point between the day's low and high.
    std::vector<DotBarChart::Bar> bars() const;

    ui::View body() const;

    /// Bars above this height are lit; lower ones are grey.
    static constexpr double kHighBar = 0.62;
};

} // namespace plyx
