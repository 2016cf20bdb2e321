#include "shared/intents/StockConfigIntent.h"

#include "shared/intents/SurfaceConfigIntent.h"

namespace plyx {

const intents::IntentDescriptor& StockConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor symbol;
        symbol.key = symbolKey;
        symbol.title = "Symbol";
        symbol.kind = intents::ParameterKind::string;
        symbol.defaultValue = StockConfigIntent().symbol;
        return intents::IntentDescriptor{"StockConfigIntent", title,
                                         {symbol, SurfaceConfigIntent::descriptor().parameters.front()}};
    }();
    return d;
}

StockConfigIntent StockConfigIntent::from(const intents::Configuration& config) {
    StockConfigIntent intent;
    if (const auto& v = config.value(symbolKey); v.is_string()) intent.symbol = v.get<std::string>();
    intent.surface = SurfaceConfigIntent::from(config).surface;
    return intent;
}

} // namespace plyx
