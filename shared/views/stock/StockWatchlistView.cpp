#include "shared/views/stock/StockWatchlistView.h"

#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/stock/StockTexts.h"

#include <algorithm>
#include <cmath>

namespace plyx {

const std::vector<StockSnapshot>& StockWatchlistView::sample() {
    static const std::vector<StockSnapshot> s = [] {
        const Date now = time::now();
        return std::vector<StockSnapshot>{
            {"AAPL", 243.18, -1.2, {}, now},
            {"MSFT", 512.44, 0.6, {}, now},
            {"NVDA", 1187.4, 2.4, {}, now},
        };
    }();
    return s;
}

double StockWatchlistView::moveFraction(double changePercent) {
    return std::min(std::fabs(changePercent) * 0.25, 1.0);
}

ui::View StockWatchlistView::body() const {
    const double u = ctx.u;
    std::vector<ui::View> rows;
    const size_t shown = std::min(stocks.size(), kMaxRows);
    for (size_t i = 0; i < shown; ++i) rows.push_back(row(stocks[i]));
    if (stocks.empty()) rows.push_back(Caption{kEmptyText, 11, 0, ctx.pal.inkDim, ctx});
    return ui::VStack(std::move(rows), ui::HorizontalAlignment::center, 13 * u)
        .padding(ui::Edges::horizontal, 26 * u)
        .frameFill(ui::Alignment::center);
}

ui::View StockWatchlistView::row(const StockSnapshot& stock) const {
    const double u = ctx.u;
    const bool fall = StockTexts::isFall(stock.changePercent);
    auto priceColumn =
        ui::VStack(
            {
                numeralFit(ui::Text(StockTexts::price(stock.price))
                               .font(PlyxFonts::numerals(14 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
                    .foregroundColor(ctx.pal.ink),
                Caption{StockTexts::change(stock.changePercent), 9, 0, fall ? ctx.pal.accent : ctx.pal.inkDim, ctx},
            },
            ui::HorizontalAlignment::trailing, 1 * u)
            .frame(62 * u, std::nullopt, ui::Alignment::trailing);
    return ui::HStack(
        {
            StockTexts::symbol(stock.symbol, 15, ctx)
                .foregroundColor(ctx.pal.accent)
                .frame(74 * u, std::nullopt, ui::Alignment::leading),
            DotBar{moveFraction(stock.changePercent), 0, 8, 6.7, ctx.pal.track, fall ? ctx.pal.accent : ctx.pal.fill,
                   ui::Color::clear(), u},
            priceColumn,
        },
        ui::VerticalAlignment::center, 14 * u);
}

} // namespace plyx
