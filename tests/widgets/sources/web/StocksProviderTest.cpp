#include "platform/coding/Coding.h"
#include "platform/net/Http.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/sources/web/StocksProvider.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sp = plyx::StocksProvider;
using plyx::Date;
using plyx::StockSnapshot;
using plyx::test::HttpServer;
using plyx::test::FakeClock;
using Json = plyx::coding::Json;

namespace {

const Date kNow = Date::fromUnix(1778180400); // 2026-05-07T19:00:00Z
constexpr std::int64_t kOpen = 1778160600;    // 9:30 in New York that day
const std::string kAaplPath = "/v8/finance/chart/AAPL";

struct Chart {
    std::optional<double> price = 110;
    std::optional<double> previousClose = 100;
    std::vector<std::optional<double>> closes;
    std::optional<std::vector<std::int64_t>> timestamps; ///< default: one per close, 30 min apart
};

Chart chart(std::vector<std::optional<double>> closes, std::optional<double> price = 110,
            std::optional<double> previousClose = 100,
            std::optional<std::vector<std::int64_t>> timestamps = std::nullopt) {
    Chart c;
    c.price = price;
    c.previousClose = previousClose;
    c.closes = std::move(closes);
    c.timestamps = std::move(timestamps);
    return c;
}

std::string body(const Chart& c) {
    Json meta = Json::object();
    if (c.price) meta["regularMarketPrice"] = *c.price;
    if (c.previousClose) meta["chartPreviousClose"] = *c.previousClose;
    Json closes = Json::array();
    for (const auto& v : c.closes) closes.push_back(v ? Json(*v) : Json(nullptr));
    Json result = {{"meta", meta}, {"indicators", {{"quote", Json::array({Json{{"close", closes}}})}}}};
    if (c.timestamps) {
        result["timestamp"] = *c.timestamps;
    } else {
        Json ts = Json::array();
        for (size_t i = 0; i < c.closes.size(); ++i) ts.push_back(kOpen + 1800 * static_cast<std::int64_t>(i));
        result["timestamp"] = ts;
    }
    return Json{{"chart", {{"result", Json::array({result})}, {"error", nullptr}}}}.dump();
}

std::vector<std::optional<double>> closesUpTo(int n) {
    std::vector<std::optional<double>> out;
    for (int i = 0; i < n; ++i) out.emplace_back(i);
    return out;
}

std::vector<double> valuesOf(const StockSnapshot& s) {
    std::vector<double> out;
    for (const auto& p : s.points) out.push_back(p.value);
    return out;
}
std::vector<std::string> labelsOf(const StockSnapshot& s) {
    std::vector<std::string> out;
    for (const auto& p : s.points) out.push_back(p.label.value_or("-"));
    return out;
}

StockSnapshot cachedEntry(const std::string& symbol, Date updated) {
    StockSnapshot s;
    s.symbol = symbol;
    s.price = 42;
    s.changePercent = -1;
    s.points = {{1, "10AM"}, {2, std::nullopt}};
    s.updated = updated;
    return s;
}

// A stored entry cut open before its last "}", to take one more member.
std::string cachedEntryText() {
    auto text = *plyx::coding::encode(cachedEntry("AAPL", kNow - 4000));
    text.pop_back();
    return text + R"(,"extra":)";
}

class StocksProviderTest : public plyx::test::WebSourcesTest {
protected:
    StocksProviderTest() {
        plyx::time::setCurrentZone("America/New_York");
        server.answer(kAaplPath, HttpServer::Answer::text(fixture("chart.json")));
    }
    ~StocksProviderTest() override { plyx::time::setCurrentZone("UTC"); }

    static std::optional<StockSnapshot> stored(const std::string& symbol) {
        return plyx::SharedStorage::read<StockSnapshot>(plyx::StorageKeys::stockCacheKey(symbol));
    }
    static void putCache(const StockSnapshot& s) {
        ASSERT_TRUE(plyx::SharedStorage::write(plyx::StorageKeys::stockCacheKey(s.symbol), s));
    }
    StockSnapshot fetchBody(const Chart& c) {
        server.answer("/v8/finance/chart/T", HttpServer::Answer::text(body(c)));
        return sp::fetch("T");
    }

    FakeClock clock{kNow};
};

} // namespace

TEST(StockSymbol, NormalisesCaseAndEdgeSpacesOnly) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {" aapl ", "AAPL"},      {"\taapl\u00a0", "AAPL"}, {"\u2003brk.b", "BRK.B"}, {"aapl\n", "AAPL\n"},
        {"a b", "A B"},          {"stra\u00dfe", "STRASSE"}, {"\u00e9", "\u00c9"},   {"  ", ""},
        {"i", "I"},
    };
    plyx::time::setCurrentLocale("tr_TR"); // the mapping does not follow the locale
    for (const auto& c : cases) EXPECT_EQ(sp::normalise(c.in), c.out) << c.in;
    plyx::time::setCurrentLocale("en_US");
}

TEST_F(StocksProviderTest, FetchesNormalisedSymbolAndCachesUnderIt) {
    const auto s = sp::snapshot(" aapl ");
    ASSERT_TRUE(s);
    const auto req = server.lastRequest();
    EXPECT_EQ(req.path, kAaplPath);
    EXPECT_EQ(req.query, "range=1d&interval=30m&includePrePost=false");
    EXPECT_EQ(req.headers.at("user-agent"), "Mozilla/5.0");

    EXPECT_EQ(s->symbol, "AAPL");
    EXPECT_EQ(s->price, 110);
    EXPECT_DOUBLE_EQ(s->changePercent, 10);
    EXPECT_EQ(s->updated, kNow);
    // The fixture's third bar has no close: it goes with its own time stamp,
    // so the labels still name the hours of the bars they stand under.
    EXPECT_EQ(valuesOf(*s), (std::vector<double>{100.5, 101.2, 102.0, 101.7, 103.1, 104.4, 103.9, 105.0}));
    EXPECT_EQ(labelsOf(*s), (std::vector<std::string>{"9AM", "-", "11AM", "-", "12PM", "-", "1PM", "-"}));
    EXPECT_EQ(stored("AAPL"), s);

    // Stored before returning: the next call is served from the cache.
    EXPECT_EQ(sp::snapshot("AAPL"), s);
    EXPECT_EQ(server.requestCount(), 1u);
}

TEST_F(StocksProviderTest, SymbolIsEscapedAsOnePathSegment) {
    const struct {
        const char* symbol;
        const char* path;
    } cases[] = {
        {"brk/b", "/v8/finance/chart/BRK%2FB"},
        {"..", "/v8/finance/chart/%2E%2E"},
        {"../../x?y", "/v8/finance/chart/..%2F..%2FX%3FY"},
        {"^gspc", "/v8/finance/chart/%5EGSPC"},
        {"a b", "/v8/finance/chart/A%20B"},
    };
    for (const auto& c : cases) {
        server.answer(c.path, HttpServer::Answer::text(fixture("chart.json")));
        const auto s = sp::snapshot(c.symbol);
        EXPECT_EQ(server.lastRequest().path, c.path) << c.symbol;
        ASSERT_TRUE(s) << c.symbol;
        EXPECT_EQ(s->symbol, sp::normalise(c.symbol));
        EXPECT_TRUE(stored(sp::normalise(c.symbol))) << c.symbol;
    }
}

TEST_F(StocksProviderTest, ChartPointsSampleAtMostEight) {
    const struct {
        int closes;
        std::vector<double> values;
        std::vector<std::string> labels;
    } cases[] = {
        {5, {0, 1, 2, 3, 4}, {"9AM", "-", "10AM", "-", "11AM"}},
        {13, {0, 1, 2, 3, 4, 5, 6, 7}, {"9AM", "-", "10AM", "-", "11AM", "-", "12PM", "-"}},
        {16, {0, 2, 4, 6, 8, 10, 12, 14}, {"9AM", "-", "11AM", "-", "1PM", "-", "3PM", "-"}},
        {48, {0, 6, 12, 18, 24, 30, 36, 42}, {"9AM", "-", "3PM", "-", "9PM", "-", "3AM", "-"}},
        {0, {}, {}},
    };
    for (const auto& c : cases) {
        const auto s = fetchBody(chart(closesUpTo(c.closes)));
        EXPECT_EQ(valuesOf(s), c.values) << c.closes;
        EXPECT_EQ(labelsOf(s), c.labels) << c.closes;
    }
}

TEST_F(StocksProviderTest, NullClosesGoWithTheirTimestamps) {
    const auto s = fetchBody(chart({1.0, std::nullopt, 3.0, 4.0}));
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 3, 4}));
    // The bars start at 9:30, 10:00, 10:30 and 11:00; 4 closes the last of them.
    EXPECT_EQ(labelsOf(s), (std::vector<std::string>{"9AM", "-", "11AM"}));

    const auto allNull = fetchBody(chart({std::nullopt, std::nullopt}));
    EXPECT_TRUE(allNull.points.empty());
    EXPECT_DOUBLE_EQ(allNull.changePercent, 10);
}

TEST_F(StocksProviderTest, ShortOrMissingTimestampsLeaveLabelsOut) {
    const auto c = chart(closesUpTo(6), 110, 100, std::vector<std::int64_t>{kOpen, kOpen + 1800, kOpen + 3600});
    EXPECT_EQ(labelsOf(fetchBody(c)), (std::vector<std::string>{"9AM", "-", "10AM", "-", "-", "-"}));

    Json j = Json::parse(body(chart(closesUpTo(3))));
    j["chart"]["result"][0].erase("timestamp");
    server.answer("/v8/finance/chart/T", HttpServer::Answer::text(j.dump()));
    EXPECT_EQ(labelsOf(sp::fetch("T")), (std::vector<std::string>{"-", "-", "-"}));

    // Bar starts no calendar reaches still give their points.
    const auto extreme = chart(closesUpTo(3), 110, 100,
                               std::vector<std::int64_t>{std::numeric_limits<std::int64_t>::min(), 0,
                                                         std::numeric_limits<std::int64_t>::max()});
    const auto s = fetchBody(extreme);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{0, 1, 2}));
    EXPECT_TRUE(s.points[0].label && s.points[2].label && !s.points[1].label);
}

TEST_F(StocksProviderTest, ChangeAgainstThePreviousClose) {
    const struct {
        std::optional<double> price;
        std::optional<double> previous;
        std::vector<std::optional<double>> closes;
        double change;
    } cases[] = {
        {110, 100, {}, 10},
        {99, 110, {}, -10},
        {110, std::nullopt, {88.0, 100.0}, 25},            // against the first close
        {110, std::nullopt, {std::nullopt, 55.0}, 100},    // the first close there is
        {110, std::nullopt, {}, 0},                        // against the price itself
        {110, 0, {1.0}, 0},
        {110, -5, {1.0}, 0},
    };
    for (const auto& c : cases) {
        const auto s = fetchBody(chart(c.closes, c.price, c.previous));
        EXPECT_DOUBLE_EQ(s.changePercent, c.change) << c.price.value_or(-1) << " " << c.previous.value_or(-1);
    }
}

TEST_F(StocksProviderTest, FreshForLessThanNineHundredSeconds) {
    putCache(cachedEntry("AAPL", kNow - 899));
    EXPECT_EQ(sp::snapshot("aapl")->price, 42);
    EXPECT_EQ(server.requestCount(), 0u);
    putCache(cachedEntry("AAPL", kNow - 900));
    EXPECT_EQ(sp::snapshot("aapl")->price, 110);
    EXPECT_EQ(server.requestCount(), 1u);
    // Dated after now: the clock was set back since; stale.
    putCache(cachedEntry("AAPL", kNow + 60));
    EXPECT_EQ(sp::snapshot("aapl")->price, 110);
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST_F(StocksProviderTest, FailuresServeTheStaleEntryUnchanged) {
    const auto threeDaysOld = cachedEntry("AAPL", kNow - 3 * 86400);
    putCache(threeDaysOld);
    const std::string failures[] = {
        R"({"chart":{"result":[],"error":null}})",
        R"({"chart":{"result":null,"error":{"code":"Not Found"}}})",
        R"({"chart":{"error":{"code":"Not Found"}}})",
        body(chart({1.0}, std::nullopt)),
        R"({"finance":{"error":"gone"}})",
        "Too Many Requests\n",
        R"({"chart":{"result":[{"meta":{"regularMarketPrice":1},"timestamp":[1.5],"indicators":{"quote":[]}}]}})",
        R"({"chart":{"result":[{"meta":{"regularMarketPrice":1},"indicators":{"quote":[{"close":["1"]}]}}]}})",
        R"({"chart":{"result":[{"meta":{"regularMarketPrice":"1"},"indicators":{"quote":[]}}]}})",
        R"({"chart":{"result":[{"meta":{"regularMarketPrice":1}}]}})",
        // a second result that does not decode spoils the whole answer
        R"({"chart":{"result":[{"meta":{"regularMarketPrice":1},"indicators":{"quote":[]}},{"meta":{}}]}})",
    };
    for (const auto& f : failures) {
        server.answer(kAaplPath, HttpServer::Answer::text(f));
        EXPECT_EQ(sp::snapshot("AAPL"), threeDaysOld) << f;
    }
    server.answer(kAaplPath, HttpServer::Answer::silent()); // gives up after the shortened timeout
    EXPECT_EQ(sp::snapshot("AAPL"), threeDaysOld);
    EXPECT_EQ(stored("AAPL"), threeDaysOld);
    EXPECT_EQ(server.requestCount(), std::size(failures) + 1);

    server.answer("/v8/finance/chart/MSFT", HttpServer::Answer::garbage());
    EXPECT_EQ(sp::snapshot("MSFT"), std::nullopt);
}

TEST_F(StocksProviderTest, FallbackReadsTheEntryAgainAfterTheFailure) {
    putCache(cachedEntry("AAPL", kNow - 3 * 86400));
    // Another widget stores a newer snapshot while this request is failing.
    auto meanwhile = cachedEntry("AAPL", kNow - 30);
    meanwhile.price = 43;
    auto failing = HttpServer::Answer::garbage();
    failing.before = [&] { putCache(meanwhile); };
    server.answer(kAaplPath, failing);
    EXPECT_EQ(sp::snapshot("AAPL"), meanwhile);
}

TEST_F(StocksProviderTest, FetchErrorsAreTypedAndStatusIsNotExamined) {
    server.answer("/v8/finance/chart/T", HttpServer::Answer::text(R"({"chart":{"result":[]}})"));
    EXPECT_THROW(sp::fetch("T"), plyx::net::CannotParseResponse);
    server.answer("/v8/finance/chart/T", HttpServer::Answer::text("{"));
    EXPECT_THROW(sp::fetch("T"), plyx::coding::DecodeError);
    server.answer("/v8/finance/chart/T", HttpServer::Answer::garbage());
    EXPECT_THROW(sp::fetch("T"), plyx::net::TransportError);

    putCache(cachedEntry("AAPL", kNow - 4000));
    server.answer(kAaplPath, HttpServer::Answer::text(fixture("chart.json"), 500));
    EXPECT_EQ(sp::snapshot("AAPL")->price, 110);
    EXPECT_EQ(stored("AAPL")->price, 110);
}

TEST_F(StocksProviderTest, UndecodableEntryCountsAsAbsent) {
    const std::string entries[] = {
        R"({"symbol":"AAPL"})",
        // Nested past the limit: refused unread, not walked until the stack runs out.
        cachedEntryText() + std::string(60000, '[') + std::string(60000, ']') + "}",
    };
    for (const auto& entry : entries) {
        plyx::SharedStorage::suite().setData(plyx::StorageKeys::stockCacheKey("AAPL"), entry);
        server.answer(kAaplPath, HttpServer::Answer::text("", 503));
        EXPECT_EQ(sp::snapshot("AAPL"), std::nullopt);
        server.answer(kAaplPath, HttpServer::Answer::text(fixture("chart.json")));
        EXPECT_EQ(sp::snapshot("AAPL")->price, 110);
        EXPECT_EQ(stored("AAPL")->price, 110);
    }
}

// Values no market has (a price of 1e308 showed as "+INF%") refuse the whole
// answer, as other web values do: the cached snapshot is shown and kept.
TEST_F(StocksProviderTest, PricesOutOfRangeRefuseTheAnswerAndKeepTheCache) {
    const auto old = cachedEntry("AAPL", kNow - 4000);
    putCache(old);
    const std::pair<Chart, const char*> cases[] = {
        {chart({1.0}, 1e308), "a price past any market's"},
        {chart({1.0}, -3), "a negative price"},
        {chart({1.0, 1e308}), "one close past any market's"},
        {chart({1.0}, 110, 1e308), "a previous close past any market's"},
        {chart({1.0}, 110, 5e-324), "a change that is infinite"},
        {chart({1.0}, 1e6, 1), "a change of a hundred-thousandfold"},
    };
    for (const auto& [c, why] : cases) {
        server.answer(kAaplPath, HttpServer::Answer::text(body(c)));
        EXPECT_EQ(sp::snapshot("AAPL"), old) << why;
        EXPECT_EQ(stored("AAPL"), old) << why;
    }
    // The edges of the range still read.
    server.answer(kAaplPath, HttpServer::Answer::text(body(chart({0.0, 1e9}, 1e9, 1e9))));
    EXPECT_EQ(sp::snapshot("AAPL")->price, 1e9);
}
