#pragma once
// The ticker widget's settings: one symbol, handed on as typed (the stock
// client normalises it), and the background.
#include "platform/intents/Intent.h"
#include "shared/foundation/SurfaceOption.h"

#include <optional>
#include <string>

namespace plyx {

struct StockConfigIntent {
    static constexpr const char* title = "Ticker Options";
    static constexpr const char* symbolKey = "symbol";

    /// The longest symbol taken, in bytes: market symbols are a few letters
    /// ("BRK-B", "EURUSD=X"); anything much longer is not one.
    static constexpr std::size_t kMaxSymbolLength = 32;

    std::string symbol = "AAPL";
    SurfaceOption surface = SurfaceOption::followApp;

    /// "Symbol" (text, "AAPL"), "Background".
    static const intents::IntentDescriptor& descriptor();
    static StockConfigIntent from(const intents::Configuration& config);
    /// What a symbol value given by a user must be: nothing when it can be a
    /// symbol (blank included), else what is needed.
    static std::optional<std::string> symbolNeeds(const intents::Json& value);
};

} // namespace plyx
