#include "shared/views/focus/CountdownView.h"

#include "platform/time/Time.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kNoCount = "\u2014";
constexpr const char* kDayLeft = "Day left";
constexpr const char* kDaysLeft = "Days left";
constexpr const char* kSetDate = "Set a date";
constexpr const char* kDetailPattern = "MMM d \u00b7 ha";

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil). Local dates, not instants, so a day lost or gained to a
// clock change still counts as one day.
std::int64_t civilDays(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t localDay(Date d) {
    const auto c = time::components(d);
    return civilDays(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day));
}
} // namespace

std::int64_t CountdownView::daysLeft(Date target, Date now) {
    return std::max<std::int64_t>(0, localDay(target) - localDay(now));
}

std::string CountdownView::detailText(Date target) { return time::format(target, kDetailPattern); }

ui::View CountdownView::body() const {
    const double u = ctx.u;
    return ui::ReadEnvironment([*this, u](const ui::Environment& env) {
        const std::int64_t days = target ? daysLeft(*target, env.now) : 0;
        return ui::VStack(
                   {
                       DotCaption{name, 9, 0.16, ctx.pal.accent, ctx.pal.inkDim, ctx},
                       numeralFit(ui::Text(target ? std::to_string(days) : kNoCount)
                                      .font(PlyxFonts::numerals(64 * u, ctx.theme.numerals, ui::FontWeight::black)))
                           .foregroundColor(ctx.pal.ink)
                           .padding(ui::Edges::top, 8 * u),
                       ui::Spacer(0),
                       Caption{target && days == 1 ? kDayLeft : kDaysLeft, 10, 0.14, ctx.pal.ink, ctx},
                       Caption{target ? upperCased(detailText(*target)) : kSetDate, 9, 0, ctx.pal.inkFaint, ctx}
                           .body()
                           .padding(ui::Edges::top, 3 * u),
                   },
                   ui::HorizontalAlignment::leading, 0)
            .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
            .frameFill(ui::Alignment::topLeading);
    });
}

} // namespace plyx
