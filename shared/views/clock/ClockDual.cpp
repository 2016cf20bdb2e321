#include "shared/views/clock/ClockDual.h"

#include "shared/foundation/ClockFormat.h"
#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/Caption.h"

#include <limits>

namespace plyx {
namespace {
constexpr const char* kSeparator = " \u00B7 ";
constexpr const char* kDay = "Day";
constexpr const char* kNight = "Night";
constexpr double kTimeSize = 40;
constexpr double kLead = 28;
constexpr double kDividerInset = 24;
constexpr double kHairline = 1; // points at every size
} // namespace

std::string ClockDual::statusText(const std::string& zone) const {
    return ClockFormat::gmtLabel(zone, date) + kSeparator + (ClockFaceParts::isDaytime(date, zone) ? kDay : kNight);
}

std::vector<ui::View> ClockDual::column(const std::string& label, const std::string& zone, bool dotted) const {
    const auto& pal = ctx.pal;
    return {
        dotted ? ui::View(DotCaption{label, 10, 0.16, pal.accent, pal.inkDim, ctx})
               : ui::View(Caption{label, 10, 0.16, pal.inkDim, ctx}),
        TimeText{date, zone, kTimeSize, pal.ink, ui::FontWeight::black, ctx},
        Caption{statusText(zone), 9, 0.14, pal.inkFaint, ctx},
    };
}

ui::View ClockDual::body() const {
    const double u = ctx.u;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const auto side = [&](const std::string& label, const std::string& zone, bool dotted) {
        return ui::VStack(column(label, zone, dotted), ui::HorizontalAlignment::leading, 4 * u)
            .padding(ui::Edges::leading, kLead * u)
            .frame(ui::FlexFrame{.maxWidth = inf, .alignment = ui::Alignment::leading});
    };
    return ui::HStack(
               {
                   side(homeLabel, homeZone, false),
                   ui::Rectangle().fill(ctx.pal.hairline).frame(kHairline, std::nullopt).padding(ui::Edges::vertical,
                                                                                                kDividerInset * u),
                   side(ClockFaceParts::placeName(awayZone), awayZone, true),
               },
               ui::VerticalAlignment::center, 0)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
