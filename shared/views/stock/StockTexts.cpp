#include "shared/views/stock/StockTexts.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/numbers/Decimal.h"

#include <cmath>

namespace plyx::StockTexts {

namespace {
constexpr const char* kPlus = "+";
constexpr const char* kMinus = "\u2212";
constexpr double kSymbolTrackingEm = 0.06;
} // namespace

std::string change(double changePercent) {
    // A NaN is neither a rise nor a fall: it keeps the "+" the platform gives it.
    return std::string(changePercent < 0 ? kMinus : kPlus) + numbers::fixed(std::fabs(changePercent), 1) + "%";
}

std::string price(double price) { return numbers::fixed(price, 2); }

ui::View symbol(const std::string& symbol, double size, const WCtx& ctx) {
    const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;
    return numeralFit(ui::Text(caps ? upperCased(symbol) : symbol)
                          .font(PlyxFonts::numerals(size * ctx.u, ctx.theme.numerals, ui::FontWeight::heavy))
                          .tracking(caps ? kSymbolTrackingEm * size * ctx.u : 0));
}

} // namespace plyx::StockTexts
