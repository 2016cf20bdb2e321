#include "shared/views/stock/StockView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/stock/StockTexts.h"

#include <algorithm>

namespace plyx {

namespace {
// The grey of ordinary chart bars.
constexpr ui::Color kLowBar = ui::Color::grey255(76);
constexpr double kMinimumRange = 0.0001;
constexpr double kBaseHeight = 0.25;
} // namespace

std::vector<DotBarChart::Bar> StockView::bars() const {
    // 1. The day's scale; an empty chart keeps 0...1 so nothing divides by zero.
    double lo = 0, hi = 1;
    if (!data.points.empty()) {
        const auto [min, max] = std::minmax_element(data.points.begin(), data.points.end(),
                                                    [](const auto& a, const auto& b) { return a.value < b.value; });
        lo = min->value;
        hi = max->value;
    }
    const double range = std::max(hi - lo, kMinimumRange);

    // 2. One bar per point. The last two show the day's direction whatever
    // their height; the others are lit only when high.
    const bool fall = StockTexts::isFall(data.changePercent);
    const auto count = static_cast<std::ptrdiff_t>(data.points.size());
    std::vector<DotBarChart::Bar> out;
    out.reserve(data.points.size());
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const auto& p = data.points[static_cast<size_t>(i)];
        const double v = kBaseHeight + (1 - kBaseHeight) * (p.value - lo) / range;
        const ui::Color colour = i >= count - 2 ? (fall ? ctx.pal.accent : ctx.pal.fill)
                                 : v > kHighBar ? ctx.pal.fill
                                                : kLowBar;
        out.emplace_back(v, colour, p.label.value_or(""));
    }
    return out;
}

ui::View StockView::body() const {
    const double u = ctx.u;
    const bool fall = StockTexts::isFall(data.changePercent);
    auto priceGroup = ui::HStack(
        {
            numeralFit(ui::Text(StockTexts::price(data.price))
                           .font(PlyxFonts::numerals(17 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
                .foregroundColor(ctx.pal.ink),
            Caption{StockTexts::change(data.changePercent), 10, 0, fall ? ctx.pal.accent : ctx.pal.inkDim, ctx},
        },
        ui::VerticalAlignment::firstTextBaseline, 8 * u);
    auto header = ui::HStack({StockTexts::symbol(data.symbol, 17, ctx).foregroundColor(ctx.pal.ink), ui::Spacer(),
                              priceGroup},
                             ui::VerticalAlignment::firstTextBaseline);
    DotBarChart chart{bars(),   24, 58, 8, 6.4, ctx.pal.track, PlyxFonts::label(8.5 * u, ctx.theme.labels),
                      ctx.pal.inkFaint, u};
    return ui::VStack({header, ui::Spacer(0), chart}, ui::HorizontalAlignment::center, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 14 * u, 26 * u})
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
