#include "shared/views/screentime/ScreenTimeElapsed.h"

#include "platform/base/Numbers.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotGrid.h"
#include "shared/views/screentime/CardFrame.h"
#include "shared/views/screentime/Hm.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Elapsed";
constexpr const char* kBudgetPrefix = "Of ";
constexpr const char* kBudgetSuffix = " daily budget";
} // namespace

double ScreenTimeElapsed::ratio(const UsageSnapshot& data) {
    if (data.budgetMinutes == 0) return 1;
    return std::min(static_cast<double>(data.totalMinutes) / static_cast<double>(data.budgetMinutes), 1.0);
}

std::int64_t ScreenTimeElapsed::percent(const UsageSnapshot& data) { return num::roundHalfAway(ratio(data) * 100); }

int ScreenTimeElapsed::filledDots(const UsageSnapshot& data) {
    return static_cast<int>(std::lround(ratio(data) * kColumns * kRows));
}

ui::View ScreenTimeElapsed::body() const {
    const double u = ctx.u;
    ui::View header = ui::HStack(
        {Caption{kTitle, 9, 0.14, ctx.pal.inkDim, ctx}, ui::Spacer(),
         numeralFit(ui::Text(std::to_string(percent(data)) + "%")
                        .font(PlyxFonts::numerals(18 * u, ctx.theme.numerals, ui::FontWeight::black)))
             .foregroundColor(ctx.pal.ink)},
        ui::VerticalAlignment::firstTextBaseline);
    ui::View grid = DotGrid{kColumns, kRows, filledDots(data), 4.4, ctx.pal.track, ctx.pal.fill, std::nullopt,
                            ui::Color::clear(), u}
                        .body()
                        .padding(ui::Edges::top, 12 * u);
    ui::View budget = Caption{kBudgetPrefix + hm(data.budgetMinutes) + kBudgetSuffix, 9, 0, ctx.pal.inkDim, ctx}
                          .body()
                          .padding(ui::Edges::top, 10 * u);
    return screentime::cardFrame(ui::VStack({header, grid, budget}, ui::HorizontalAlignment::leading, 0), u);
}

} // namespace plyx
