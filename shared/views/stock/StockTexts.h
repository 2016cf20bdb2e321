#pragma once
// The texts the ticker and the watchlist share: the symbol in the theme's
// label style, the price with two decimals and the day's change with its sign.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx::StockTexts {

/// "+1.2%" or "−0.8%" (the minus sign U+2212); 0 reads "+0.0%".
std::string change(double changePercent);
/// "243.18".
std::string price(double price);
/// Whether the day's move is drawn as a fall (in the accent colour).
inline bool isFall(double changePercent) { return changePercent < 0; }

/// The symbol as a figure of `size` design units: in capitals with tracking
/// 0.06 × size under the capitals label style, as stored otherwise.
ui::View symbol(const std::string& symbol, double size, const WCtx& ctx);

} // namespace plyx::StockTexts
