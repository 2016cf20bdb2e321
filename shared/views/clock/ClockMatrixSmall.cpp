#include "shared/views/clock/ClockMatrixSmall.h"

#include "platform/time/Time.h"
#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/Caption.h"

#include <limits>

namespace plyx {
namespace {
constexpr const char* kDateSkeleton = "EEEMMMd";
constexpr double kTimeSize = 44;
constexpr double kSide = 22;
} // namespace

std::string ClockMatrixSmall::placeText() const { return place ? *place : ClockFaceParts::placeName(timeZone); }

std::string ClockMatrixSmall::dateText() const { return time::formatSkeleton(date, kDateSkeleton, timeZone); }

ui::View ClockMatrixSmall::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    constexpr double inf = std::numeric_limits<double>::infinity();
    return ui::VStack(
               {
                   Caption{placeText(), 10, 0.14, pal.inkDim, ctx},
                   ui::View(TimeText{date, timeZone, kTimeSize, pal.ink, ui::FontWeight::black, ctx})
                       .padding(ui::Edges::top, 4 * u)
                       .padding(ui::Edges::bottom, 6 * u),
                   DotCaption{dateText(), 10, 0.14, pal.accent, pal.ink, ctx},
               },
               ui::HorizontalAlignment::leading, 0)
        .frameFill(ui::Alignment::leading)
        .padding(ui::Edges::horizontal, kSide * u)
        .frame(ui::FlexFrame{.maxHeight = inf});
}

} // namespace plyx
