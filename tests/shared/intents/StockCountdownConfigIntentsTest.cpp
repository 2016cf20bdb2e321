#include "shared/intents/CountdownConfigIntent.h"
#include "shared/intents/StockConfigIntent.h"
#include "shared/intents/WatchlistConfigIntent.h"

#include <gtest/gtest.h>

using namespace plyx;

namespace {

// Key, title and default of every parameter, in sheet order.
std::vector<std::tuple<std::string, std::string, std::string>> parameters(const intents::IntentDescriptor& d) {
    std::vector<std::tuple<std::string, std::string, std::string>> out;
    for (const auto& p : d.parameters) out.emplace_back(p.key, p.title, p.defaultValue.dump());
    return out;
}

template <class Intent> Intent configured(const std::string& json) {
    std::string error;
    auto config = intents::Configuration::parse(Intent::descriptor(), json, &error);
    EXPECT_TRUE(config) << error;
    return Intent::from(*config);
}

} // namespace

TEST(ConfigIntents, DeclareTheirParametersInSheetOrderWithDefaults) {
    using P = std::vector<std::tuple<std::string, std::string, std::string>>;
    EXPECT_EQ(CountdownConfigIntent::descriptor().title, "Countdown Options");
    EXPECT_EQ(parameters(CountdownConfigIntent::descriptor()),
              (P{{"name", "Title", "\"Launch\""}, {"target", "Date", "null"}, {"surface", "Background", "\"followApp\""}}));
    EXPECT_TRUE(CountdownConfigIntent::descriptor().parameters[1].optional);
    EXPECT_EQ(CountdownConfigIntent::descriptor().parameters[1].kind, intents::ParameterKind::date);
    EXPECT_EQ(StockConfigIntent::descriptor().title, "Ticker Options");
    EXPECT_EQ(parameters(StockConfigIntent::descriptor()),
              (P{{"symbol", "Symbol", "\"AAPL\""}, {"surface", "Background", "\"followApp\""}}));
    EXPECT_EQ(WatchlistConfigIntent::descriptor().title, "Watchlist Options");
    EXPECT_EQ(parameters(WatchlistConfigIntent::descriptor()),
              (P{{"symbol1", "Symbol 1", "\"AAPL\""},
                 {"symbol2", "Symbol 2", "\"MSFT\""},
                 {"symbol3", "Symbol 3", "\"NVDA\""},
                 {"surface", "Background", "\"followApp\""}}));
}

TEST(ConfigIntents, NewWidgetsHoldTheDefaultsAndConfiguredOnesTheirValues) {
    const auto countdown = configured<CountdownConfigIntent>("");
    EXPECT_EQ(countdown.name, "Launch");
    EXPECT_FALSE(countdown.target);
    EXPECT_EQ(countdown.surface, SurfaceOption::followApp);
    EXPECT_EQ(configured<StockConfigIntent>("").symbol, "AAPL");
    EXPECT_EQ(configured<WatchlistConfigIntent>("").symbols(), (std::vector<std::string>{"AAPL", "MSFT", "NVDA"}));
    EXPECT_EQ(configured<WatchlistConfigIntent>("").surface, SurfaceOption::followApp);

    const auto set = configured<CountdownConfigIntent>(R"({"name":"Trip","target":820454400.5,"surface":"glass"})");
    EXPECT_EQ(set.name, "Trip");
    EXPECT_EQ(set.target, Date{820454400.5});
    EXPECT_EQ(set.surface, SurfaceOption::glass);
    // A target cleared again is none; the ticker's symbol is handed on as typed.
    EXPECT_FALSE(configured<CountdownConfigIntent>(R"({"target":null})").target);
    EXPECT_EQ(configured<StockConfigIntent>(R"({"symbol":" msft "})").symbol, " msft ");
    // A value of the wrong kind never makes it into an intent.
    EXPECT_FALSE(intents::Configuration::parse(CountdownConfigIntent::descriptor(), R"({"target":"tomorrow"})"));
    EXPECT_FALSE(intents::Configuration::parse(WatchlistConfigIntent::descriptor(), R"({"symbol1":7})"));
}

TEST(WatchlistConfigIntent, SymbolsAreTrimmedUpperCasedAndEmptyOnesDropped) {
    const struct {
        const char *s1, *s2, *s3;
        std::vector<std::string> symbols;
    } cases[] = {
        {"  msft ", "", "nvda", {"MSFT", "NVDA"}},
        {"aapl", "aapl", "AAPL", {"AAPL", "AAPL", "AAPL"}}, // repeats are kept
        {" ", "\t", "", {}},
        {"\tbrk.b\u00a0", "\u2003tsla", "a b", {"BRK.B", "TSLA", "A B"}},
        {"x\n", "stra\u00dfe", "", {"X\n", "STRASSE"}}, // line breaks are not blanks
    };
    for (const auto& c : cases) {
        WatchlistConfigIntent intent;
        intent.symbol1 = c.s1;
        intent.symbol2 = c.s2;
        intent.symbol3 = c.s3;
        EXPECT_EQ(intent.symbols(), c.symbols) << c.s1 << "|" << c.s2 << "|" << c.s3;
    }
}
