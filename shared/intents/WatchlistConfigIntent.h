#pragma once
// The watchlist widget's settings: three symbols as typed, and the background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"

#include <string>
#include <vector>

namespace plyx {

struct WatchlistConfigIntent {
    static constexpr const char* title = "Watchlist Options";

    std::string symbol1 = "AAPL";
    std::string symbol2 = "MSFT";
    std::string symbol3 = "NVDA";
    SurfaceOption surface = SurfaceOption::followApp;

    /// The symbols to fetch, in parameter order: each trimmed of spaces and
    /// tabs at both ends and upper-cased, empty ones left out, repeats kept.
    std::vector<std::string> symbols() const;

    /// "Symbol 1" to "Symbol 3" (text: "AAPL", "MSFT", "NVDA"), "Background".
    static const intents::IntentDescriptor& descriptor();
    static WatchlistConfigIntent from(const intents::Configuration& config);
};

} // namespace plyx
