#include "shared/views/calendar/CalendarBigDate.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/calendar/CalendarDates.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

ui::View CalendarBigDate::body() const {
    const double u = ctx.u;
    return ui::VStack(
               {
                   Caption{CalendarDates::weekdayWide(date), 10, 0.18, ctx.pal.accent, ctx}.body(),
                   numeralFit(ui::Text(CalendarDates::dayOfMonth(date))
                                  .font(PlyxFonts::numerals(72 * u, ctx.theme.numerals, ui::FontWeight::black)))
                       .foregroundColor(ctx.pal.ink)
                       .padding(ui::Edges::top, 6 * u)
                       .offset(-3 * u, 0),
                   ui::Spacer(0),
                   Caption{CalendarDates::monthWithYear(date), 10, 0.18, ctx.pal.inkDim, ctx}.body(),
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
