#include "widgets/sources/web/StocksProvider.h"

#include "platform/base/TextCase.h"
#include "platform/coding/Coding.h"
#include "platform/net/Http.h"
#include "platform/net/Url.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>

namespace plyx::StocksProvider {

namespace {

constexpr const char* kChartPath = "/v8/finance/chart/";
constexpr const char* kUserAgent = "Mozilla/5.0";
constexpr size_t kMaxPoints = 8;
// A price outside this range is no market's: the answer is broken, and is
// refused whole, as the other web answers are, so the cache is shown instead.
constexpr double kHighestPrice = 1e9;
// Nor does a day's change reach a thousandfold.
constexpr double kLargestChangePercent = 1e5;

bool plausiblePrice(double v) { return v >= 0 && v <= kHighestPrice; }

// The chart service's answer, as far as the snapshot needs it.
struct Quote {
    // Bars without a close are null in the service's list.
    std::optional<std::vector<std::optional<double>>> close;
};
struct Meta {
    std::optional<double> regularMarketPrice;
    std::optional<double> chartPreviousClose;
};
struct Result {
    Meta meta;
    std::optional<std::vector<std::int64_t>> timestamp; ///< bar starts, seconds since 1970
    std::vector<Quote> quote;                           ///< indicators.quote
};
struct API {
    std::optional<std::vector<Result>> result; ///< chart.result
};

void decodeJSON(const coding::Json& j, Quote& q) {
    const coding::ObjectReader r(j);
    q.close.reset();
    const auto it = j.find("close");
    if (it == j.end() || it->is_null()) return;
    if (!it->is_array()) throw coding::DecodeError("close: expected an array");
    std::vector<std::optional<double>> closes;
    closes.reserve(it->size());
    for (const auto& e : *it) {
        if (e.is_null()) {
            closes.emplace_back();
        } else {
            double v = 0;
            coding::fromJson(e, v);
            closes.emplace_back(v);
        }
    }
    q.close = std::move(closes);
}
void decodeJSON(const coding::Json& j, Meta& m) {
    const coding::ObjectReader r(j);
    r("regularMarketPrice", m.regularMarketPrice)("chartPreviousClose", m.chartPreviousClose);
}
struct Indicators {
    std::vector<Quote> quote;
};
void decodeJSON(const coding::Json& j, Indicators& i) {
    const coding::ObjectReader r(j);
    r("quote", i.quote);
}
void decodeJSON(const coding::Json& j, Result& res) {
    Indicators indicators;
    const coding::ObjectReader r(j);
    r("meta", res.meta)("timestamp", res.timestamp)("indicators", indicators);
    res.quote = std::move(indicators.quote);
}
struct Chart {
    std::optional<std::vector<Result>> result;
};
void decodeJSON(const coding::Json& j, Chart& c) {
    const coding::ObjectReader r(j);
    r("result", c.result);
}
void decodeJSON(const coding::Json& j, API& api) {
    Chart chart;
    const coding::ObjectReader r(j);
    r("chart", chart);
    api.result = std::move(chart.result);
}

bool isEdgeSpace(UChar32 c) { return c == '\t' || u_charType(c) == U_SPACE_SEPARATOR; }

// One bar: its close and, when the timestamps reach that far, its start.
struct Bar {
    double close = 0;
    std::optional<std::int64_t> start;
};

} // namespace

std::string normalise(const std::string& symbol) {
    auto u = icu::UnicodeString::fromUTF8(text::upperCased(symbol));
    int32_t begin = 0;
    int32_t end = u.length();
    while (begin < end && isEdgeSpace(u.char32At(begin))) begin = u.moveIndex32(begin, 1);
    while (end > begin) {
        const int32_t prev = u.moveIndex32(end, -1);
        if (!isEdgeSpace(u.char32At(prev))) break;
        end = prev;
    }
    std::string out;
    u.tempSubStringBetween(begin, end).toUTF8String(out);
    return out;
}

std::string chartURL(const std::string& normalisedSymbol) {
    return net::serviceBase(net::Service::stockChart) + kChartPath + net::escapePathSegment(normalisedSymbol) + "?" +
           net::queryString({{"range", "1d"}, {"interval", "30m"}, {"includePrePost", "false"}});
}

StockSnapshot fetch(const std::string& normalisedSymbol) {
    // The loader's default timeout is 60 s, the chart request's own.
    const auto response = net::get(chartURL(normalisedSymbol), {{"User-Agent", kUserAgent}}, std::nullopt,
                                   net::serviceMaxAnswer(net::Service::stockChart));
    const auto json = coding::parse(response.body);
    if (!json) throw coding::DecodeError("the answer is not JSON");
    API api;
    decodeJSON(*json, api);

    if (!api.result || api.result->empty()) throw net::CannotParseResponse();
    const Result& result = api.result->front();
    if (!result.meta.regularMarketPrice) throw net::CannotParseResponse();
    const double price = *result.meta.regularMarketPrice;

    // Drop each bar without a close together with its timestamp, so every
    // later close keeps the start of its own bar.
    std::vector<Bar> bars;
    if (!result.quote.empty() && result.quote.front().close) {
        const auto& closes = *result.quote.front().close;
        const auto& starts = result.timestamp ? *result.timestamp : std::vector<std::int64_t>{};
        for (size_t j = 0; j < closes.size(); ++j) {
            if (!closes[j]) continue;
            Bar bar{*closes[j], std::nullopt};
            if (j < starts.size()) bar.start = starts[j];
            bars.push_back(bar);
        }
    }

    const double previousClose = result.meta.chartPreviousClose ? *result.meta.chartPreviousClose
                                 : !bars.empty()                ? bars.front().close
                                                                : price;
    const double changePercent = previousClose > 0 ? (price - previousClose) / previousClose * 100.0 : 0.0;
    if (!plausiblePrice(price) || previousClose > kHighestPrice ||
        std::any_of(bars.begin(), bars.end(), [](const Bar& b) { return !plausiblePrice(b.close); }) ||
        !(std::fabs(changePercent) <= kLargestChangePercent))
        throw coding::DecodeError("a price out of range");

    // At most eight points spread over the day; every second one names the
    // hour its bar starts.
    StockSnapshot snap;
    const size_t n = bars.size();
    if (n > 0) {
        const size_t step = std::max(n, kMaxPoints) / kMaxPoints;
        const std::string locale = time::currentLocale();
        size_t k = 0;
        for (size_t i = 0; i < n && k < kMaxPoints; i += step, ++k) {
            StockSnapshot::Point point;
            point.value = bars[i].close;
            if (k % 2 == 0 && bars[i].start)
                point.label = text::upperCased(time::format(Date::fromUnix(static_cast<double>(*bars[i].start)), "ha", {}, locale));
            snap.points.push_back(std::move(point));
        }
    }

    snap.symbol = normalisedSymbol;
    snap.price = price;
    snap.changePercent = changePercent;
    snap.updated = time::now();
    return snap;
}

std::optional<StockSnapshot> snapshot(const std::string& symbol) {
    const std::string normalised = normalise(symbol);
    const std::string key = StorageKeys::stockCacheKey(normalised);
    if (auto hit = SharedStorage::read<StockSnapshot>(key);
        hit && SharedStorage::isFresh(hit->updated, kCacheLifetime, time::now()))
        return hit;
    try {
        auto fresh = fetch(normalised);
        SharedStorage::writeIfFree(key, fresh); // an unencodable snapshot is returned but not kept
        return fresh;
    } catch (...) {
        return SharedStorage::read<StockSnapshot>(key);
    }
}

} // namespace plyx::StocksProvider
