#include "shared/views/stock/StockTexts.h"
#include "shared/views/stock/StockView.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

using namespace plyx;
using test::hex;

namespace {

const std::string kMinus = "\u2212";
constexpr ui::Size kMedium{344, 160};
const ui::Color kGrey = ui::Color::grey255(76);

StockSnapshot stock(std::string symbol, double price, double change, std::vector<double> values = {}) {
    StockSnapshot s;
    s.symbol = std::move(symbol);
    s.price = price;
    s.changePercent = change;
    for (double v : values) s.points.push_back({v, std::nullopt});
    return s;
}

// The watchlist's rows as the dump shows them: each symbol, its dot colours
// and its two texts.
struct WatchRow {
    std::string symbol, price, change;
    std::vector<std::string> dots;
};

std::vector<WatchRow> watchRows(const std::vector<test::DumpLine>& lines) {
    std::vector<WatchRow> rows;
    int textInRow = 0;
    for (const auto& l : lines) {
        if (l.kind == "Text") {
            if (textInRow == 0) rows.push_back({test::textOf(l), "", "", {}});
            else if (textInRow == 1) rows.back().price = test::textOf(l);
            else rows.back().change = test::textOf(l);
            textInRow = (textInRow + 1) % 3;
        } else if (l.kind == "Circle" && !rows.empty()) {
            rows.back().dots.push_back(l.attr("fill"));
        }
    }
    return rows;
}

} // namespace

TEST(StockTexts, ChangeCarriesItsSignAndOneDecimalPriceTwo) {
    const struct {
        double change;
        std::string text;
    } changes[] = {{1.24, "+1.2%"}, {-0.8, kMinus + "0.8%"}, {0, "+0.0%"}, {-0.04, kMinus + "0.0%"},
                   {-7.5, kMinus + "7.5%"}, {12.25, "+12.2%"}};
    for (const auto& c : changes) EXPECT_EQ(StockTexts::change(c.change), c.text) << c.change;
    EXPECT_EQ(StockTexts::price(243.18), "243.18");
    EXPECT_EQ(StockTexts::price(1187.4), "1187.40");
    EXPECT_EQ(StockTexts::price(0.005), "0.01");
}

TEST(StockView, BarsRiseFromAQuarterAndTheLastTwoCarryTheDaysDirection) {
    const auto ctx = test::viewContext();
    const std::string fill = hex(ctx.pal.fill), accent = hex(ctx.pal.accent), grey = hex(kGrey);
    struct Case {
        const char* name;
        std::vector<double> values;
        double change;
        std::vector<double> heights;
        std::vector<std::string> colours;
    };
    const Case cases[] = {
        {"no points", {}, 1, {}, {}},
        {"one point rising", {5}, 0, {0.25}, {fill}},
        {"one point falling", {5}, -0.1, {0.25}, {accent}},
        {"all equal", {3, 3, 3, 3}, 2, {0.25, 0.25, 0.25, 0.25}, {grey, grey, fill, fill}},
        // 0.25 + 0.75 × (v − 0) ÷ 10: only bars above 0.62 are lit before the last two.
        {"a day", {0, 10, 4, 5, 0, 8}, 1, {0.25, 1, 0.55, 0.625, 0.25, 0.85}, {grey, fill, grey, fill, fill, fill}},
        {"a falling day", {0, 10, 4, 5, 0, 8}, -1, {0.25, 1, 0.55, 0.625, 0.25, 0.85},
         {grey, fill, grey, fill, accent, accent}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bars = StockView{stock("AAPL", 1, c.change, c.values), ctx}.bars();
        ASSERT_EQ(bars.size(), c.heights.size());
        for (size_t i = 0; i < bars.size(); ++i) {
            EXPECT_NEAR(bars[i].value, c.heights[i], 1e-9) << i;
            EXPECT_EQ(hex(bars[i].color.value()), c.colours[i]) << i;
            EXPECT_FALSE(bars[i].labelColor.has_value());
        }
        if (bars.size() > 1) {
            EXPECT_NE(bars[0].id, bars[1].id);
        }
    }
}

TEST(StockView, HeaderShowsSymbolPriceAndChangeInTheLabelStyle) {
    struct Case {
        ThemeSettings::LabelStyle labels;
        double change;
        const char *symbol, *tracking;
        std::string changeText;
        bool accent;
    };
    const Case cases[] = {
        {ThemeSettings::LabelStyle::monoCaps, -1.2, "AAPL", "1.02", kMinus + "1.2%", true},
        {ThemeSettings::LabelStyle::systemSans, 0, "aapl", "", "+0.0%", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol);
        const auto ctx = test::viewContext(c.labels);
        auto data = stock("aapl", 243.18, c.change, {1, 2, 3});
        data.points[0].label = "10AM";
        const auto lines = test::dumpLines(StockView{data, ctx}.body(), kMedium);
        const auto* symbol = test::textLine(lines, c.symbol);
        ASSERT_NE(symbol, nullptr) << ui::dump(StockView{data, ctx}.body(), kMedium, {});
        EXPECT_EQ(symbol->attr("tracking"), c.tracking);
        EXPECT_EQ(symbol->attr("size"), "17");
        EXPECT_EQ(symbol->attr("color"), hex(ctx.pal.ink));
        const auto* price = test::textLine(lines, "243.18");
        ASSERT_NE(price, nullptr);
        const auto* change = test::textLine(lines, c.changeText);
        ASSERT_NE(change, nullptr);
        EXPECT_EQ(change->attr("color"), hex(c.accent ? ctx.pal.accent : ctx.pal.inkDim));
        // The header sits 20 from the top, 26 in from each side; the price ends at the right inset.
        EXPECT_NEAR(symbol->x, 26, 0.01);
        EXPECT_NEAR(change->x + change->width, 344 - 26, 0.01);
        EXPECT_LT(price->x + price->width, change->x);
        // The chart's labels: the point's caption in the faint ink, empty ones for the rest.
        const auto* axis = test::textLine(lines, "10AM");
        ASSERT_NE(axis, nullptr);
        EXPECT_EQ(axis->attr("color"), hex(ctx.pal.inkFaint));
        EXPECT_NEAR(axis->y + axis->height, 160 - 14, 0.5);
    }
}

TEST(StockView, AnEmptyChartLeavesTheHeaderAlone) {
    const auto ctx = test::viewContext();
    const auto lines = test::dumpLines(StockView{stock("MSFT", 1, 1), ctx}.body(), kMedium);
    EXPECT_TRUE(test::ofKind(lines, "Circle").empty());
    EXPECT_EQ(test::texts(lines), (std::vector<std::string>{"MSFT", "1.00", "+1.0%"}));
}

TEST(StockWatchlistView, ShowsAtMostThreeRowsWithBarsAsLongAsTheMove) {
    const auto ctx = test::viewContext();
    const std::string fill = hex(ctx.pal.fill), accent = hex(ctx.pal.accent), track = hex(ctx.pal.track);
    const std::vector<StockSnapshot> five{stock("a", 10, -7.5), stock("b", 20, 0), stock("c", 30, 2),
                                          stock("d", 40, 1), stock("e", 50, 1)};
    const auto lines = test::dumpLines(StockWatchlistView{five, ctx}.body(), kMedium);
    const auto rows = watchRows(lines);
    ASSERT_EQ(rows.size(), 3u) << ui::dump(StockWatchlistView{five, ctx}.body(), kMedium, {});
    const struct {
        const char *symbol, *price;
        std::string change;
        double lit;
        std::string colour;
    } want[] = {
        {"A", "10.00", kMinus + "7.5%", 1.0, accent}, // −7.5 % fills the bar, in the accent colour
        {"B", "20.00", "+0.0%", 0.0, fill},
        {"C", "30.00", "+2.0%", 0.5, fill},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(want[i].symbol);
        EXPECT_EQ(rows[i].symbol, want[i].symbol);
        EXPECT_EQ(rows[i].price, want[i].price);
        EXPECT_EQ(rows[i].change, want[i].change);
        const auto n = rows[i].dots.size();
        ASSERT_GT(n, 10u);
        const auto lit = size_t(std::lround(want[i].lit * double(n)));
        for (size_t k = 0; k < n; ++k) EXPECT_EQ(rows[i].dots[k], k < lit ? want[i].colour : track) << k;
    }
    // Symbols in the accent colour with tracking 0.9; changes in the accent colour only for a fall.
    const auto* a = test::textLine(lines, "A");
    EXPECT_EQ(a->attr("color"), accent);
    EXPECT_EQ(a->attr("tracking"), "0.9");
    EXPECT_EQ(test::textLine(lines, kMinus + "7.5%")->attr("color"), accent);
    EXPECT_EQ(test::textLine(lines, "+2.0%")->attr("color"), hex(ctx.pal.inkDim));
}

TEST(StockWatchlistView, AnEmptyListAsksForSymbols) {
    for (auto labels : {ThemeSettings::LabelStyle::monoCaps, ThemeSettings::LabelStyle::systemSans}) {
        const auto ctx = test::viewContext(labels);
        const auto lines = test::dumpLines(StockWatchlistView{{}, ctx}.body(), kMedium);
        const std::string want = labels == ThemeSettings::LabelStyle::monoCaps ? "PICK SYMBOLS WITH EDIT WIDGET"
                                                                                : "Pick symbols with Edit Widget";
        EXPECT_EQ(test::texts(lines), std::vector<std::string>{want});
        EXPECT_TRUE(test::ofKind(lines, "Circle").empty());
    }
}

TEST(StockWatchlistView, SampleHoldsThreeStocksWithoutCharts) {
    const auto& s = StockWatchlistView::sample();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].symbol, "AAPL");
    EXPECT_EQ(s[1].price, 512.44);
    EXPECT_EQ(s[2].changePercent, 2.4);
    for (const auto& st : s) EXPECT_TRUE(st.points.empty());
    EXPECT_EQ(&StockWatchlistView::sample(), &s);
}
