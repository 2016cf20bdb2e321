#include "shared/views/sky/MoonView.h"

#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotGrid.h"
#include "shared/views/sky/CardFrame.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Moon";
constexpr double kDotSize = 4;
} // namespace

double MoonView::litWidth() const {
    const double f = std::isfinite(data.illuminated) ? std::clamp(data.illuminated, 0.0, 1.0) : 0.0;
    return kDiscSize * f;
}

ui::View MoonView::disc() const {
    const double u = ctx.u;
    const int all = kDiscDots * kDiscDots;
    const auto grid = [&](const ui::Color& c) {
        return DotGrid{kDiscDots, kDiscDots, all, kDotSize, c, c, std::nullopt, ui::Color::clear(), u}.body();
    };
    // The lit grid shows only through a strip as wide as the lit fraction,
    // standing at the side the sun lights.
    ui::FlexFrame side;
    side.maxWidth = ui::infinity;
    side.maxHeight = ui::infinity;
    side.alignment = data.waxing ? ui::Alignment::trailing : ui::Alignment::leading;
    const ui::View strip = ui::Rectangle().fill(ui::Color::black()).frame(litWidth() * u, std::nullopt).frame(side);
    return ui::ZStack({grid(kDarkGrey), grid(ctx.pal.fill).mask(strip)}, ui::Alignment::center)
        .frame(kDiscSize * u, kDiscSize * u)
        .clipShape(ui::Circle());
}

ui::View MoonView::body() const {
    const double u = ctx.u;
    ui::FlexFrame across;
    across.maxWidth = ui::infinity;
    return cardFrame(ui::VStack(
                         {
                             Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx},
                             disc().frame(across).padding(ui::Edges::top, 10 * u),
                             ui::Spacer(0),
                             Caption{data.phaseName, 10, 0.1, ctx.pal.ink, ctx},
                             Caption{data.detail(), 9, 0, ctx.pal.inkFaint, ctx}.body().padding(ui::Edges::top, 3 * u),
                         },
                         ui::HorizontalAlignment::leading, 0),
                     u);
}

} // namespace plyx
