#include "shared/views/battery/BatteryKit.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"

#include <string>

namespace plyx::battery {

ui::View chargeBar(std::int64_t percent, const ui::Color& fill, const WCtx& ctx) {
    return DotBar{static_cast<double>(percent) / 100.0, 0, 8, 6.7, ctx.pal.track, fill, ui::Color::clear(), ctx.u};
}

ui::View percentText(std::int64_t percent, double size, ui::FontWeight weight, const WCtx& ctx) {
    return numeralFit(
        ui::Text(std::to_string(percent)).font(PlyxFonts::numerals(size * ctx.u, ctx.theme.numerals, weight)));
}

} // namespace plyx::battery
