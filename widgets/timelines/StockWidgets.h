#pragma once
// The stock group: the ticker (one symbol and its day) and the watchlist
// (three symbols), each on its own provider over the stock chart client.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

//                                          kind                    display name  description                       family   tone
inline constexpr WidgetRow StockWidget    {"plyx.stock",           "Ticker",     "A stock and its day, in dots.",  kMedium, kDark};
inline constexpr WidgetRow WatchlistWidget{"plyx.stock.watchlist", "Watchlist",  "Three stocks at a glance.",      kMedium, kDark};

/// The two widgets with their providers and views, in the rows' order.
std::vector<DeclaredWidget> stockWidgets();

} // namespace plyx
