#pragma once
// The watchlist: up to three symbols, one row each, with a dot bar as long
// as the day's move (full from 4 percent) and the price over the change.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/StockSnapshot.h"

#include <vector>

namespace plyx {

struct StockWatchlistView {
    std::vector<StockSnapshot> stocks;
    WCtx ctx;

    /// Three stocks without charts, for placeholders and the gallery; made
    /// once per process on first use.
    static const std::vector<StockSnapshot>& sample();

    /// The rows shown at most.
    static constexpr size_t kMaxRows = 3;
    /// The text shown when the list is empty.
    static constexpr const char* kEmptyText = "Pick symbols with Edit Widget";

    /// The share of the dot bar lit for a day's move: a quarter per percent, at most all.
    static double moveFraction(double changePercent);

    ui::View body() const;

private:
    ui::View row(const StockSnapshot& stock) const;
};

} // namespace plyx
