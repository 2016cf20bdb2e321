#include "shared/views/quote/YearProgressView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotGrid.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace plyx {

namespace {
constexpr const char* kYearPrefix = "Year ";
constexpr const char* kDayPrefix = "Day ";
constexpr const char* kRemainingSuffix = " remaining";
} // namespace

double YearProgressView::share() const {
    if (info.daysInYear == 0) return 0;
    return static_cast<double>(info.dayOfYear) / static_cast<double>(info.daysInYear);
}

int YearProgressView::filledDots() const {
    const double n = std::round(share() * kColumns * kRows);
    return static_cast<int>(std::clamp(n, -1.0e6, 1.0e6));
}

std::int64_t YearProgressView::percent() const { return static_cast<std::int64_t>(std::round(share() * 100)); }

ui::View YearProgressView::body() const {
    const double u = ctx.u;
    const int filled = filledDots();
    auto header =
        ui::HStack({Caption{kYearPrefix + std::to_string(info.year), 10, 0.16, ctx.pal.inkDim, ctx}, ui::Spacer(),
                    numeralFit(ui::Text(std::to_string(percent()) + "%")
                                   .font(PlyxFonts::numerals(20 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
                        .foregroundColor(ctx.pal.ink)},
                   ui::VerticalAlignment::firstTextBaseline);
    auto grid = DotGrid{kColumns,      kRows, filled, 6, ctx.pal.track, ctx.pal.fill, std::max(filled - 1, 0),
                        ctx.pal.accent, u}
                    .body()
                    .padding(ui::Edges::vertical, 12 * u);
    return ui::VStack({header, grid,
                       Caption{kDayPrefix + std::to_string(info.dayOfYear) + " \u00b7 " +
                                   std::to_string(info.daysInYear - info.dayOfYear) + kRemainingSuffix,
                               9, 0, ctx.pal.inkFaint, ctx}},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
