#include "shared/views/clock/ClockWorld.h"

#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"

#include <algorithm>
#include <limits>

namespace plyx {
namespace {
constexpr double kTimeSize = 26;
constexpr double kSide = 28;
} // namespace

ui::View ClockWorld::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const int n = static_cast<int>(std::min(zones.size(), kMaximumColumns));
    const ui::View columns = ui::HStack(
        ui::ForEachIndex(n, [&](int i) {
            const std::string& zone = zones[static_cast<size_t>(i)];
            const std::string name = ClockFaceParts::placeName(zone);
            const ui::View label = i == homeIndex ? ui::View(DotCaption{name, 10, 0.14, pal.accent, pal.ink, ctx})
                                                  : ui::View(Caption{name, 10, 0.14, pal.inkDim, ctx});
            const ui::Color timeColor =
                ClockFaceParts::isDaytime(date, zone) ? pal.ink : pal.ink.opacity(kNightOpacity);
            return ui::VStack({label, TimeText{date, zone, kTimeSize, timeColor, ui::FontWeight::black, ctx}},
                              ui::HorizontalAlignment::center, 4 * u)
                .frame(ui::FlexFrame{.maxWidth = inf});
        }),
        ui::VerticalAlignment::top, 0);
    // Every dot in the track colour: a rule, not a measure.
    const ui::View rule = DotBar{0, 0, 12, 6, pal.track, pal.fill, ui::Color::clear(), u};
    return ui::VStack({columns, rule}, ui::HorizontalAlignment::leading, 14 * u)
        .padding(ui::Edges::horizontal, kSide * u)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
