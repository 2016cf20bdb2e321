#include "shared/views/clock/ClockMatrixMedium.h"

#include "platform/time/Time.h"
#include "shared/views/clock/ClockFaceParts.h"
#include "shared/views/clock/TimeText.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"

#include <cstdio>

namespace plyx {
namespace {
constexpr const char* kDateSkeleton = "EEEEMMMMd";
constexpr const char* kHourCaption = "Hour";
constexpr double kTimeSize = 64;
constexpr double kMinuteSize = 20;
constexpr double kBarWidth = 44; // seven dots at a pitch of 6
constexpr double kSide = 30;
} // namespace

int ClockMatrixMedium::minute() const { return time::components(date, timeZone).minute; }

std::string ClockMatrixMedium::dateText() const { return time::formatSkeleton(date, kDateSkeleton, timeZone); }

ui::View ClockMatrixMedium::body() const {
    const double u = ctx.u;
    const auto& pal = ctx.pal;
    const int m = minute();
    char minutes[8];
    std::snprintf(minutes, sizeof minutes, "%02d", m);

    const ui::View left = ui::VStack(
        {
            TimeText{date, timeZone, kTimeSize, pal.ink, ui::FontWeight::black, ctx},
            DotCaption{dateText(), 10, 0.16, pal.accent, pal.inkDim, ctx},
        },
        ui::HorizontalAlignment::leading, 8 * u);
    const ui::View right = ui::VStack(
        {
            ClockFaceParts::numeralText(minutes, kMinuteSize * u, ui::FontWeight::heavy, pal.inkFaint, ctx),
            ui::View(DotBar{m / 60.0, 0, 6, 5, pal.track, pal.accent, ui::Color::clear(), u}).frame(kBarWidth * u,
                                                                                                  std::nullopt),
            Caption{kHourCaption, 8, 0.18, pal.inkFaint, ctx},
        },
        ui::HorizontalAlignment::trailing, 5 * u);
    return ui::HStack({left, ui::Spacer(), right}, ui::VerticalAlignment::center)
        .padding(ui::Edges::horizontal, kSide * u)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
