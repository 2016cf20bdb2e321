#include "shared/views/battery/BatteryPercent.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/battery/BatteryKit.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

namespace {
constexpr const char* kTitle = "Battery";
constexpr const char* kCharging = "Charging";
constexpr const char* kRemaining = " remaining";
constexpr const char* kNoEstimate = "\u2014";
} // namespace

std::string BatteryPercent::status(const PowerSnapshot& data) {
    if (data.isCharging) return kCharging;
    return data.remaining.value_or(kNoEstimate) + kRemaining;
}

ui::View BatteryPercent::body() const {
    const double u = ctx.u;
    ui::View figure =
        ui::HStack({battery::percentText(data.percent, 48, ui::FontWeight::black, ctx).foregroundColor(ctx.pal.ink),
                    ui::Text("%")
                        .font(PlyxFonts::numerals(24 * u, ctx.theme.numerals, ui::FontWeight::black))
                        .foregroundColor(ctx.pal.inkFaint)},
                   ui::VerticalAlignment::lastTextBaseline, 1 * u)
            .padding(ui::Edges::top, 10 * u);
    return ui::VStack({Caption{kTitle, 10, 0.16, ctx.pal.inkDim, ctx}, figure, ui::Spacer(0),
                       battery::chargeBar(data.percent, ctx.pal.fill, ctx).padding(ui::Edges::bottom, 8 * u),
                       Caption{status(data), 9.5, 0, ctx.pal.inkDim, ctx}},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
