#include "shared/views/clock/ClockStacked.h"

#include "shared/foundation/ClockFormat.h"
#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/kit/Caption.h"

#include <limits>

namespace plyx {
namespace {
constexpr double kNumeralSize = 46;
constexpr double kLead = 30;
constexpr double kLabelInset = 10;
} // namespace

std::string ClockStacked::gmtText() const { return ClockFormat::gmtLabel(timeZone, date); }

ui::View ClockStacked::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const auto [hh, mm] = ClockFormat::parts(date, timeZone);
    const ui::View numerals =
        ui::VStack({ClockFaceParts::numeralText(hh, kNumeralSize * u, ui::FontWeight::black, pal.ink, ctx),
                    ClockFaceParts::numeralText(mm, kNumeralSize * u, ui::FontWeight::black, pal.inkFaint, ctx)},
                   ui::HorizontalAlignment::leading, 0)
            .padding(ui::Edges::leading, kLead * u);
    // Turned a quarter clockwise, it reads downwards along the right edge.
    const ui::View label = ui::View(Caption{gmtText(), 9, 0.2, pal.inkDim, ctx})
                               .fixedSize()
                               .rotationEffect(90)
                               .frame(ui::FlexFrame{.maxWidth = inf, .alignment = ui::Alignment::trailing})
                               .padding(ui::Edges::trailing, kLabelInset * u);
    return ui::ZStack({numerals, label}, ui::Alignment::leading).frameFill(ui::Alignment::leading);
}

} // namespace plyx
