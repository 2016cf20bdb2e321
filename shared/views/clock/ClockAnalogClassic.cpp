#include "shared/views/clock/ClockAnalogClassic.h"

#include "shared/foundation/PlyxTokens.h"
#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/ClockHands.h"

#include <cmath>

namespace plyx {
namespace {
constexpr double kFace = 122;
constexpr double kTickRadius = 61;
constexpr double kTimeSize = 15;
constexpr double kTimeRise = 27;
constexpr int kLightInk = 17; // the light tone's ink, #111111, on each channel
} // namespace

ui::Color ClockAnalogClassic::capRingColor(const ui::Color& ink) {
    const auto is = [](double channel, int byte) { return std::lround(channel * 255) == byte; };
    const bool lightInk = is(ink.r, kLightInk) && is(ink.g, kLightInk) && is(ink.b, kLightInk) && ink.a == 1;
    return lightInk ? ui::Color::white() : PlyxTokens::ink;
}

ui::View ClockAnalogClassic::tickRing(int count, double tickLength, double tickWidth, const ui::Color& color,
                                      double radius) const {
    const double u = ctx.u;
    return ui::ZStack(ui::ForEachIndex(count, [&](int i) {
        return ui::Rectangle()
            .fill(color)
            .frame(tickWidth * u, tickLength * u)
            .offset(0, -(radius - tickLength / 2) * u)
            .rotationEffect(360.0 * i / count);
    }));
}

ui::View ClockAnalogClassic::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    // Every fifth minute tick lies over an hour tick; the digital time goes
    // under the hands so a hand passing 12 crosses the digits.
    return ui::ZStack({
                          tickRing(12, 12, 2.5, pal.ink, kTickRadius),
                          tickRing(60, 7, 1, pal.inkFaint, kTickRadius),
                          digital ? ui::View(TimeText{date, timeZone, kTimeSize, pal.ink, ui::FontWeight::black, ctx})
                                        .offset(0, -kTimeRise * u)
                                  : ui::EmptyView(),
                          ClockHands{date, timeZone, 32, 46, 52, 6, 4.5, 2, pal.ink, pal.accent, 9,
                                     capRingColor(pal.ink), ctx, liveSeconds},
                      })
        .frame(kFace * u, kFace * u);
}

} // namespace plyx
