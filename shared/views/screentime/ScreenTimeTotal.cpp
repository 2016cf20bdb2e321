#include "shared/views/screentime/ScreenTimeTotal.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/screentime/CardFrame.h"
#include "shared/views/screentime/Hm.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kTitle = "Screen time";
constexpr const char* kLeft = " left today";
constexpr const char* kOver = " over limit";
constexpr double kTotalMinimumScale = 0.7;
} // namespace

ScreenTimeTotal::Shares ScreenTimeTotal::shares(const UsageSnapshot& data) {
    const double total = static_cast<double>(data.totalMinutes);
    const double budget = static_cast<double>(data.budgetMinutes);
    const double hi = std::max(total, budget);
    // A day with neither screen time nor a budget draws an empty bar, not 0 / 0.
    if (!(hi > 0)) return {};
    const double over = total - budget;
    return {std::min(total, budget) / hi, std::max(over, 0.0) / hi};
}

std::string ScreenTimeTotal::status(const UsageSnapshot& data) {
    const std::int64_t over = data.totalMinutes - data.budgetMinutes;
    return over > 0 ? hm(over) + kOver : hm(data.budgetMinutes - data.totalMinutes) + kLeft;
}

ui::View ScreenTimeTotal::body() const {
    const double u = ctx.u;
    const bool isOver = data.totalMinutes > data.budgetMinutes;
    const Shares s = shares(data);
    ui::View total = numeralFit(ui::Text(hm(data.totalMinutes))
                                    .font(PlyxFonts::numerals(38 * u, ctx.theme.numerals, ui::FontWeight::black)))
                         .foregroundColor(ctx.pal.ink)
                         .lineLimit(1)
                         .minimumScaleFactor(kTotalMinimumScale)
                         .padding(ui::Edges::top, 10 * u);
    return screentime::cardFrame(
        ui::VStack({Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx}, total, ui::Spacer(0),
                    DotBar{s.fraction, s.overFraction, 8, 6.7, ctx.pal.track, ctx.pal.fill, ctx.pal.accent, u}
                        .body()
                        .padding(ui::Edges::bottom, 8 * u),
                    Caption{status(data), 9, 0, isOver ? ctx.pal.accent : ctx.pal.inkDim, ctx}},
                   ui::HorizontalAlignment::leading, 0),
        u);
}

} // namespace plyx
