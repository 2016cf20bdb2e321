#include "shared/views/calendar/CalendarMonthGrid.h"

#include "shared/views/calendar/CalendarDates.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotGrid.h"

namespace plyx {

namespace {
constexpr int kColumns = 7;
constexpr double kRowHeight = 16;
constexpr const char* kDaysLeftSuffix = " days left";
} // namespace

ui::View CalendarMonthGrid::body() const {
    const double u = ctx.u;
    const int day = CalendarDates::dayNumber(date);
    const int days = CalendarDates::daysInMonth(date);
    const int rows = (days + kColumns - 1) / kColumns;
    return ui::VStack(
               {
                   ui::HStack(
                       {
                           Caption{CalendarDates::monthWide(date), 10, 0.18, ctx.pal.ink, ctx}.body(),
                           ui::Spacer(),
                           Caption{std::to_string(day), 10, 0, ctx.pal.inkDim, ctx}.body(),
                       },
                       ui::VerticalAlignment::firstTextBaseline),
                   DotGrid{kColumns, rows, day, 5.5, ctx.pal.track, ctx.pal.fill, day - 1, ctx.pal.accent, u}
                       .body()
                       .frame(std::nullopt, rows * kRowHeight * u)
                       .padding(ui::Edges::top, 14 * u),
                   ui::Spacer(0),
                   Caption{std::to_string(days - day) + kDaysLeftSuffix, 9, 0.14, ctx.pal.inkDim, ctx}.body(),
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
