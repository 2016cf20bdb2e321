#include "shared/views/kit/ClockHands.h"

#include "platform/time/Time.h"
#include "platform/ui/Shape.h"

namespace plyx {
namespace {
constexpr double kAccentLead = 150; // degrees the accent hand stands ahead without live seconds
constexpr double kCapRingWidth = 2;

// A bar of `length` pointing up from the centre: the bar above an empty space
// of the same length, in a stack with the default spacing, turned about the
// stack's centre.
ui::View hand(const ui::Shape& shape, const ui::Color& color, double width, double length, double angle) {
    return ui::VStack({shape.fill(color).frame(width, length), ui::Spacer().frame(width, length)},
                      ui::HorizontalAlignment::center)
        .rotationEffect(angle);
}
} // namespace

ClockHands::Angles ClockHands::angles() const {
    const auto c = time::components(date, timeZone);
    const int h = c.hour, m = c.minute;
    Angles a;
    a.hour = 30.0 * (h % 12) + 0.5 * m;
    a.minute = 6.0 * m;
    a.accent = liveSeconds ? 6.0 * *liveSeconds : 6.0 * m + kAccentLead;
    return a;
}

ui::View ClockHands::body() const {
    const double u = ctx.u;
    const Angles a = angles();
    ui::View cap = ui::Circle().fill(accentColor).frame(capSize * u, capSize * u);
    if (capRing)
        cap = cap.overlay(ui::Circle().strokeBorder(
            *capRing, ui::StrokeStyle{kCapRingWidth * u, ui::LineCap::butt, ui::LineJoin::miter, 10}));
    return ui::ZStack({
        hand(ui::RoundedRectangle(hourWidth * u / 2), handColor, hourWidth * u, hourLength * u, a.hour),
        hand(ui::RoundedRectangle(minuteWidth * u / 2), handColor, minuteWidth * u, minuteLength * u, a.minute),
        hand(ui::Rectangle(), accentColor, accentWidth * u, accentLength * u, a.accent),
        cap,
    });
}

} // namespace plyx
