#include "shared/views/clock/ClockAnalogMinimal.h"

#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/ClockHands.h"

namespace plyx {
namespace {
constexpr double kFace = 122;
constexpr double kDot = 5;
constexpr double kDotRadius = 58.5;
constexpr double kTimeSize = 15;
constexpr double kTimeRise = 27;
// A fixed grey, not a palette role: the dots look the same on either tone.
constexpr ui::Color kDotGrey = ui::Color::grey255(76);
} // namespace

ui::View ClockAnalogMinimal::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    std::vector<ui::View> layers = ui::ForEachIndex(4, [&](int i) {
        return ui::Circle().fill(kDotGrey).frame(kDot * u, kDot * u).offset(0, -kDotRadius * u).rotationEffect(90.0 * i);
    });
    if (digital)
        layers.push_back(ui::View(TimeText{date, timeZone, kTimeSize, pal.ink, ui::FontWeight::black, ctx})
                             .offset(0, -kTimeRise * u));
    // A zero-length accent hand: the accent shows only in the cap.
    layers.push_back(ClockHands{date, timeZone, 32, 46, 0, 6, 4.5, 0, pal.ink, pal.accent, 9, std::nullopt, ctx,
                                liveSeconds});
    return ui::ZStack(std::move(layers)).frame(kFace * u, kFace * u);
}

} // namespace plyx
