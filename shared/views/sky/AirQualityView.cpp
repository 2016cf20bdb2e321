#include "shared/views/sky/AirQualityView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/sky/CardFrame.h"

#include <algorithm>
#include <string>

namespace plyx {

namespace {
constexpr const char* kTitle = "Air quality";
} // namespace

double AirQualityView::barFraction() const {
    return std::min(static_cast<double>(data.aqi) / kFullBarIndex, 1.0);
}

ui::View AirQualityView::body() const {
    const double u = ctx.u;
    const ui::Color tint = isHot() ? ctx.pal.accent : ctx.pal.ink;
    return cardFrame(
        ui::VStack(
            {
                Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx},
                numeralFit(ui::Text(std::to_string(data.aqi))
                               .font(PlyxFonts::numerals(52 * u, ctx.theme.numerals, ui::FontWeight::black)))
                    .foregroundColor(tint)
                    .padding(ui::Edges::top, 8 * u),
                ui::Spacer(0),
                DotBar{barFraction(), 0, 6, 5, ctx.pal.track, isHot() ? ctx.pal.accent : ctx.pal.fill,
                       ui::Color::clear(), u}
                    .body()
                    .padding(ui::Edges::bottom, 8 * u),
                Caption{data.category(), 10, 0.1, tint, ctx},
            },
            ui::HorizontalAlignment::leading, 0),
        u);
}

} // namespace plyx
