#include "shared/views/clock/TimeText.h"

#include "shared/foundation/ClockFormat.h"
#include "shared/views/clock/ClockFaceParts.h"

namespace plyx {
namespace {
// The colon of the dot-matrix style, as shares of the drawn font size: it
// scales with the digits and sits closer to the hours than to the minutes.
constexpr double kColonSquare = 0.1;
constexpr double kColonCorner = 0.028;
constexpr double kColonGap = 0.17;
constexpr double kColonLead = 0.09;
constexpr double kColonTrail = 0.14;
} // namespace

ui::View TimeText::body() const {
    const double s = size * ctx.u;
    if (ctx.theme.numerals != ThemeSettings::NumeralStyle::dotMatrix)
        return ClockFaceParts::numeralText(ClockFormat::hhmm(date, timeZone), s, weight, color, ctx);

    const auto [hh, mm] = ClockFormat::parts(date, timeZone);
    const auto square = [&] {
        return ui::RoundedRectangle(kColonCorner * s).fill(color).frame(kColonSquare * s, kColonSquare * s);
    };
    const ui::View colon = ui::VStack({square(), square()}, ui::HorizontalAlignment::center, kColonGap * s)
                               .padding(ui::Edges::leading, kColonLead * s)
                               .padding(ui::Edges::trailing, kColonTrail * s);
    return ui::HStack({ClockFaceParts::numeralText(hh, s, weight, color, ctx), colon,
                       ClockFaceParts::numeralText(mm, s, weight, color, ctx)},
                      ui::VerticalAlignment::center, 0);
}

} // namespace plyx
