#include "shared/views/clock/ClockDotDial.h"

#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/kit/ClockHands.h"

namespace plyx {
namespace {
constexpr double kFace = 124;
constexpr double kNumeralSize = 19;
constexpr double kNumeralRadius = 52;
} // namespace

ui::View ClockDotDial::dialNumber(const std::string& text, double x, double y) const {
    const double u = ctx.u;
    return ClockFaceParts::numeralText(text, kNumeralSize * u, ui::FontWeight::heavy, ctx.pal.ink, ctx)
        .offset(x * u, y * u);
}

ui::View ClockDotDial::body() const {
    const auto& pal = ctx.pal;
    return ui::ZStack({
                          dialNumber("12", 0, -kNumeralRadius),
                          dialNumber("3", kNumeralRadius, 0),
                          dialNumber("6", 0, kNumeralRadius),
                          dialNumber("9", -kNumeralRadius, 0),
                          ClockHands{date, timeZone, 26, 38, 44, 5, 3.5, 1.5, pal.ink, pal.accent, 8, std::nullopt,
                                     ctx, liveSeconds},
                      })
        .frame(kFace * ctx.u, kFace * ctx.u);
}

} // namespace plyx
