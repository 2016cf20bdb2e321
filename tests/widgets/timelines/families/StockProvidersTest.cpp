#include "shared/storage/SharedStorage.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/timelines/StockTimelineProvider.h"
#include "widgets/timelines/WatchlistTimelineProvider.h"

#include <gtest/gtest.h>

using namespace plyx;
using test::HttpServer;
using widgetkit::TimelineProviderContext;
using widgetkit::TimelineReloadPolicy;

namespace {

const Date kNow = Date::fromUnix(1778180400); // 2026-05-07T19:00:00Z
const std::string kChart = "/v8/finance/chart/";

TimelineProviderContext context(bool preview = false) {
    TimelineProviderContext ctx;
    ctx.isPreview = preview;
    return ctx;
}

StockSnapshot cached(const std::string& symbol, Date updated) {
    return StockSnapshot{symbol, 42, -1, {{1, "10AM"}, {2, std::nullopt}}, updated};
}

std::vector<std::string> symbolsOf(const std::vector<StockSnapshot>& stocks) {
    std::vector<std::string> out;
    for (const auto& s : stocks) out.push_back(s.symbol);
    return out;
}

class StockProvidersTest : public test::WebSourcesTest {
protected:
    StockProvidersTest() {
        server.answer(kChart + "MSFT", HttpServer::Answer::text(fixture("chart-up.json")));
        server.answer(kChart + "NVDA", HttpServer::Answer::text(fixture("chart-down.json")));
        server.answer(kChart + "ZZZZ", HttpServer::Answer::text(fixture("unknown-symbol.json"), 404));
        server.answer(kChart + "DOWN", HttpServer::Answer::text("", 503));
    }

    std::vector<std::string> requestedPaths() const {
        std::vector<std::string> out;
        for (const auto& r : server.requests()) out.push_back(r.path.substr(kChart.size()));
        return out;
    }

    static StockConfigIntent ticker(const std::string& symbol) {
        StockConfigIntent i;
        i.symbol = symbol;
        i.surface = SurfaceOption::accent;
        return i;
    }
    static WatchlistConfigIntent watchlist(const char* a, const char* b, const char* c) {
        WatchlistConfigIntent i;
        i.symbol1 = a;
        i.symbol2 = b;
        i.symbol3 = c;
        i.surface = SurfaceOption::solid;
        return i;
    }

    test::FakeClock clock{kNow};
    StockTimelineProvider tickerProvider;
    WatchlistTimelineProvider watchlistProvider;
};

} // namespace

TEST_F(StockProvidersTest, TickerShowsTheSymbolOrTheSampleAndRetriesSoonerWithout) {
    ASSERT_TRUE(SharedStorage::write(StorageKeys::stockCacheKey("DOWN"), cached("DOWN", kNow - 86400)));
    struct Case {
        const char* name;
        std::string symbol;
        std::string shownSymbol;
        double change;
        int minutes;
    };
    const Case cases[] = {
        {"an up day, typed loosely", " msft\t", "MSFT", 10, 15},
        {"a down day", "NVDA", "NVDA", -5, 15},
        {"a symbol the service does not know", "zzzz", StockSnapshot::sample().symbol, -1.2, 10},
        {"a failed fetch with a day-old chart cached", "down", "DOWN", -1, 15},
        {"a failed fetch with nothing cached", "nope", StockSnapshot::sample().symbol, -1.2, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto t = tickerProvider.timeline(ticker(c.symbol), context());
        ASSERT_EQ(t.entries.size(), 1u);
        const auto& e = t.entries[0];
        EXPECT_EQ(e.data.symbol, c.shownSymbol);
        EXPECT_NEAR(e.data.changePercent, c.change, 1e-9);
        EXPECT_EQ(e.surface, SurfaceOption::accent);
        EXPECT_EQ(e.date, kNow);
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(kNow + c.minutes * 60.0));
    }
    EXPECT_EQ(requestedPaths(), (std::vector<std::string>{"MSFT", "NVDA", "ZZZZ", "DOWN", "NOPE"}));
}

TEST_F(StockProvidersTest, TickerPreviewAndPlaceholderFetchNothing) {
    const auto placeholder = tickerProvider.placeholder(context());
    EXPECT_EQ(placeholder.data, StockSnapshot::sample());
    EXPECT_EQ(placeholder.surface, SurfaceOption::followApp);
    const auto preview = tickerProvider.snapshot(ticker("MSFT"), context(true));
    EXPECT_EQ(preview.data, StockSnapshot::sample());
    EXPECT_EQ(preview.surface, SurfaceOption::accent);
    EXPECT_EQ(server.requestCount(), 0u);
    // A placed widget's snapshot fetches like a timeline and falls back the same way.
    EXPECT_EQ(tickerProvider.snapshot(ticker("MSFT"), context()).data.price, 110);
    EXPECT_EQ(tickerProvider.snapshot(ticker("ZZZZ"), context()).data, StockSnapshot::sample());
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST_F(StockProvidersTest, WatchlistAsksForEachSymbolInTurnAndDropsThoseWithout) {
    server.answer(kChart + "AAPL", HttpServer::Answer::text(fixture("chart-up.json")));
    struct Case {
        const char* name;
        WatchlistConfigIntent intent;
        std::vector<std::string> requested, shown;
        int minutes;
    };
    const Case cases[] = {
        {"padded and empty symbols", watchlist("  msft ", "", "nvda"), {"MSFT", "NVDA"}, {"MSFT", "NVDA"}, 15},
        {"the defaults", WatchlistConfigIntent{}, {"AAPL", "MSFT", "NVDA"}, {"AAPL", "MSFT", "NVDA"}, 15},
        // Repeats stay; the second and third are served from the fresh cache.
        {"one symbol three times", watchlist("nvda", "NVDA", " nvda"), {"NVDA"}, {"NVDA", "NVDA", "NVDA"}, 15},
        {"the middle one unknown", watchlist("msft", "zzzz", "nvda"), {"MSFT", "ZZZZ", "NVDA"}, {"MSFT", "NVDA"}, 15},
        {"none to be had", watchlist("zzzz", "down", ""), {"ZZZZ", "DOWN"}, {}, 10},
        {"all blank", watchlist(" ", "\t", ""), {}, {}, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.clearRequests();
        // Every case starts with an empty cache.
        for (const char* s : {"AAPL", "MSFT", "NVDA"}) SharedStorage::suite().remove(StorageKeys::stockCacheKey(s));
        const auto t = watchlistProvider.timeline(c.intent, context());
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(requestedPaths(), c.requested);
        EXPECT_EQ(symbolsOf(t.entries[0].data), c.shown);
        EXPECT_EQ(t.entries[0].surface, c.intent.surface);
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(kNow + c.minutes * 60.0));
    }
}

TEST_F(StockProvidersTest, WatchlistRequestsNeverOverlap) {
    // Slow answers: a client that asked for two at once would have a second
    // request in before the first answer.
    std::vector<std::size_t> seenWhenAnswering;
    auto nvda = HttpServer::Answer::text(fixture("chart-down.json"));
    nvda.before = [&] { seenWhenAnswering.push_back(server.requestCount()); };
    server.answer(kChart + "NVDA", nvda);
    auto msft = HttpServer::Answer::slow(fixture("chart-up.json"), std::chrono::milliseconds(150));
    msft.before = [&] { seenWhenAnswering.push_back(server.requestCount()); };
    server.answer(kChart + "MSFT", msft);
    const auto stocks = WatchlistTimelineProvider::fetch(watchlist("msft", "nvda", ""));
    EXPECT_EQ(symbolsOf(stocks), (std::vector<std::string>{"MSFT", "NVDA"}));
    // When MSFT was answered only its own request had come in.
    EXPECT_EQ(seenWhenAnswering, (std::vector<std::size_t>{1, 2}));
}

TEST_F(StockProvidersTest, WatchlistPreviewAndPlaceholderShowTheSamplesOnly) {
    const auto placeholder = watchlistProvider.placeholder(context());
    EXPECT_EQ(placeholder.data, StockWatchlistView::sample());
    EXPECT_EQ(placeholder.surface, SurfaceOption::followApp);
    const auto preview = watchlistProvider.snapshot(watchlist("msft", "", ""), context(true));
    EXPECT_EQ(preview.data, StockWatchlistView::sample());
    EXPECT_EQ(preview.surface, SurfaceOption::solid);
    EXPECT_EQ(server.requestCount(), 0u);
    // Placed, with nothing to be had: an empty list, never the samples.
    EXPECT_TRUE(watchlistProvider.snapshot(watchlist("zzzz", "", ""), context()).data.empty());
}
