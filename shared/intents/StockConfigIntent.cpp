#include "shared/intents/StockConfigIntent.h"

#include "shared/intents/SurfaceConfigIntent.h"

#include <algorithm>

namespace plyx {

const intents::IntentDescriptor& StockConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor symbol;
        symbol.key = symbolKey;
        symbol.title = "Symbol";
        symbol.kind = intents::ParameterKind::string;
        symbol.defaultValue = StockConfigIntent().symbol;
        symbol.needs = symbolNeeds;
        return intents::IntentDescriptor{"StockConfigIntent", title,
                                         {symbol, SurfaceConfigIntent::descriptor().parameters.front()}};
    }();
    return d;
}

std::optional<std::string> StockConfigIntent::symbolNeeds(const intents::Json& value) {
    const auto& text = value.get_ref<const std::string&>();
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (text.size() <= kMaxSymbolLength && !control) return std::nullopt;
    return "a market symbol of at most " + std::to_string(kMaxSymbolLength) + " bytes on one line";
}

StockConfigIntent StockConfigIntent::from(const intents::Configuration& config) {
    StockConfigIntent intent;
    if (const auto& v = config.value(symbolKey); v.is_string()) intent.symbol = v.get<std::string>();
    intent.surface = SurfaceConfigIntent::from(config).surface;
    return intent;
}

} // namespace plyx
