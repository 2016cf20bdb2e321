#include "shared/views/screentime/ScreenTimeApps.h"

#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/screentime/Hm.h"

#include <algorithm>

namespace plyx {

double ScreenTimeApps::barFraction(const UsageSnapshot& data, const UsageSnapshot::App& app) {
    std::int64_t peak = 1;
    if (!data.apps.empty())
        peak = std::max_element(data.apps.begin(), data.apps.end(), [](const auto& a, const auto& b) {
                   return a.minutes < b.minutes;
               })->minutes;
    // Applications without minutes draw empty bars, not 0 / 0.
    if (peak <= 0) return 0;
    return static_cast<double>(app.minutes) / static_cast<double>(peak) * kTopShare;
}

ui::View ScreenTimeApps::body() const {
    const double u = ctx.u;
    std::vector<ui::View> rows;
    const std::size_t n = std::min(data.apps.size(), kRows);
    for (std::size_t i = 0; i < n; ++i) {
        const auto& app = data.apps[i];
        const ui::Color ink = app.isFlagged ? ctx.pal.accent : ctx.pal.ink;
        rows.push_back(ui::HStack(
            {Caption{app.name, 10, 0.08, ink, ctx}.body().frame(70 * u, std::nullopt, ui::Alignment::leading),
             DotBar{barFraction(data, app), 0, 8, 6.7, ctx.pal.track, app.isFlagged ? ctx.pal.accent : ctx.pal.fill,
                    ui::Color::clear(), u},
             Caption{hm(app.minutes), 10, 0, app.isFlagged ? ctx.pal.accent : ctx.pal.inkDim, ctx}.body().frame(
                 44 * u, std::nullopt, ui::Alignment::trailing)},
            ui::VerticalAlignment::center, 14 * u));
    }
    return ui::VStack(std::move(rows), ui::HorizontalAlignment::center, 12 * u)
        .padding(ui::Edges::horizontal, 26 * u)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
