#include "shared/views/clock/ClockFaceParts.h"

#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/TimeZoneEntity.h"
#include "shared/views/kit/Caption.h"

namespace plyx::ClockFaceParts {
namespace {
constexpr int kFirstDayHour = 7;
constexpr int kLastDayHour = 19;
} // namespace

ui::View numeralText(const std::string& text, double points, ui::FontWeight weight, const ui::Color& color,
                     const WCtx& ctx) {
    return numeralFit(ui::Text(text).font(PlyxFonts::numerals(points, ctx.theme.numerals, weight)))
        .foregroundColor(color);
}

std::string placeName(const std::string& zoneId) { return TimeZoneEntity::cityName(zoneId); }

bool isDaytime(Date date, const std::string& zoneId) {
    const int hour = time::components(date, zoneId).hour;
    return hour >= kFirstDayHour && hour <= kLastDayHour;
}

} // namespace plyx::ClockFaceParts
