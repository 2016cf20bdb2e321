#include "shared/views/sky/DaylightView.h"

#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/views/kit/Caption.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Daylight";
constexpr const char* kRiseSuffix = " rise";
constexpr const char* kSetSuffix = " set";
constexpr double kSunDiameter = 14;
constexpr double kDotDiameter = 8;
} // namespace

double DaylightView::dayFraction() const {
    const double span = std::max(data.sunset - data.sunrise, 1.0);
    const double f = (date - data.sunrise) / span;
    // Dates far off (or broken) land at one end rather than nowhere.
    if (std::isnan(f)) return 0;
    return std::clamp(f, 0.0, 1.0);
}

int DaylightView::sunIndex() const { return static_cast<int>(std::round(6.0 * dayFraction())); }

ui::Point DaylightView::dotCentre(int i, ui::Size size) {
    const double t = i / 6.0;
    const double rise = 1.0 - (2.0 * t - 1.0) * (2.0 * t - 1.0);
    return {size.width * (0.06 + 0.88 * t), size.height * (0.95 - 0.9 * rise)};
}

ui::View DaylightView::arc(ui::Size size) const {
    const double u = ctx.u;
    const double f = dayFraction();
    const int sun = sunIndex();
    std::vector<ui::View> dots;
    dots.reserve(kDots);
    for (int i = 0; i < kDots; ++i) {
        const double t = i / 6.0;
        const bool isSun = i == sun;
        const double d = (isSun ? kSunDiameter : kDotDiameter) * u;
        const ui::Color c = isSun ? ctx.pal.accent : (f > t ? ctx.pal.inkFaint : ctx.pal.ink);
        const ui::Point at = dotCentre(i, size);
        dots.push_back(ui::Circle().fill(c).frame(d, d).offset(at.x - d / 2, at.y - d / 2));
    }
    return ui::ZStack(std::move(dots), ui::Alignment::topLeading).frame(size.width, size.height, ui::Alignment::topLeading);
}

ui::View DaylightView::body() const {
    const double u = ctx.u;
    const std::string zone = time::currentZone();
    const DaylightView self = *this;
    return ui::VStack(
               {
                   ui::HStack({Caption{kTitle, 10, 0.16, ctx.pal.inkDim, ctx}, ui::Spacer(),
                               Caption{data.lengthLabel(), 10, 0, ctx.pal.inkDim, ctx}},
                              ui::VerticalAlignment::center),
                   ui::GeometryReader([self](ui::Size size) { return self.arc(size); }).padding(ui::Edges::top, 6 * u),
                   ui::HStack({Caption{ClockFormat::hhmm(data.sunrise, zone) + kRiseSuffix, 10, 0, ctx.pal.ink, ctx},
                               ui::Spacer(),
                               Caption{ClockFormat::hhmm(data.sunset, zone) + kSetSuffix, 10, 0, ctx.pal.ink, ctx}},
                              ui::VerticalAlignment::center)
                       .padding(ui::Edges::top, 8 * u),
               },
               ui::HorizontalAlignment::center, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
