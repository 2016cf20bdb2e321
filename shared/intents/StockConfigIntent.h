#pragma once
// The ticker widget's settings: one symbol, handed on as typed (the stock
// client normalises it), and the background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"

#include <string>

namespace plyx {

struct StockConfigIntent {
    static constexpr const char* title = "Ticker Options";
    static constexpr const char* symbolKey = "symbol";

    std::string symbol = "AAPL";
    SurfaceOption surface = SurfaceOption::followApp;

    /// "Symbol" (text, "AAPL"), "Background".
    static const intents::IntentDescriptor& descriptor();
    static StockConfigIntent from(const intents::Configuration& config);
};

} // namespace plyx
