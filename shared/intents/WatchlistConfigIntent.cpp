#include "shared/intents/WatchlistConfigIntent.h"

#include "shared/intents/StockConfigIntent.h"
#include "shared/intents/SurfaceConfigIntent.h"

#include <QString>

namespace plyx {

namespace {

constexpr const char* kKeys[] = {"symbol1", "symbol2", "symbol3"};

// Spaces of every kind and tabs, not line breaks.
bool isBlank(QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; }

std::string normalised(const std::string& symbol) {
    const QString s = QString::fromStdString(symbol);
    qsizetype from = 0, to = s.size();
    while (from < to && isBlank(s[from])) ++from;
    while (to > from && isBlank(s[to - 1])) --to;
    return s.mid(from, to - from).toUpper().toStdString();
}

} // namespace

std::vector<std::string> WatchlistConfigIntent::symbols() const {
    std::vector<std::string> out;
    for (const auto* s : {&symbol1, &symbol2, &symbol3})
        if (auto n = normalised(*s); !n.empty()) out.push_back(std::move(n));
    return out;
}

const intents::IntentDescriptor& WatchlistConfigIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        const WatchlistConfigIntent defaults;
        const std::string* values[] = {&defaults.symbol1, &defaults.symbol2, &defaults.symbol3};
        std::vector<intents::ParameterDescriptor> parameters;
        for (int i = 0; i < 3; ++i) {
            intents::ParameterDescriptor p;
            p.key = kKeys[i];
            p.title = "Symbol " + std::to_string(i + 1);
            p.kind = intents::ParameterKind::string;
            p.defaultValue = *values[i];
            p.needs = StockConfigIntent::symbolNeeds;
            parameters.push_back(std::move(p));
        }
        parameters.push_back(SurfaceConfigIntent::descriptor().parameters.front());
        return intents::IntentDescriptor{"WatchlistConfigIntent", title, std::move(parameters)};
    }();
    return d;
}

WatchlistConfigIntent WatchlistConfigIntent::from(const intents::Configuration& config) {
    WatchlistConfigIntent intent;
    std::string* fields[] = {&intent.symbol1, &intent.symbol2, &intent.symbol3};
    for (int i = 0; i < 3; ++i)
        if (const auto& v = config.value(kKeys[i]); v.is_string()) *fields[i] = v.get<std::string>();
    intent.surface = SurfaceConfigIntent::from(config).surface;
    return intent;
}

} // namespace plyx
