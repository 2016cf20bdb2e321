#include "shared/views/calendar/CalendarDayEvents.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/calendar/CalendarDates.h"
#include "shared/views/calendar/CalendarEventText.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

namespace {
constexpr size_t kShown = 2;
constexpr const char* kNothingLeft = "No more events today";
constexpr const char* kRangeDash = " \u2013 ";
} // namespace

ui::View CalendarDayEvents::body() const {
    const double u = ctx.u;

    std::vector<ui::View> rows;
    for (const auto& e : data.events) {
        if (e.isPast) continue;
        if (rows.size() == kShown) break;
        const std::string when = e.end ? e.start + kRangeDash + *e.end : e.start;
        rows.push_back(ui::VStack(
            {
                Caption{when, 10, 0, e.isNext ? ctx.pal.accent : ctx.pal.inkDim, ctx}.body(),
                ui::Text(e.title).font(eventTitleFont(ctx)).foregroundColor(ctx.pal.ink).lineLimit(1),
            },
            ui::HorizontalAlignment::leading, 2 * u));
    }
    if (rows.empty()) rows.push_back(Caption{kNothingLeft, 11, 0, ctx.pal.inkDim, ctx}.body());

    auto dateColumn = ui::VStack(
        {
            numeralFit(ui::Text(CalendarDates::dayOfMonth(date))
                           .font(PlyxFonts::numerals(56 * u, ctx.theme.numerals, ui::FontWeight::black)))
                .foregroundColor(ctx.pal.accent),
            Caption{CalendarDates::weekdayAbbreviated(date), 10, 0.16, ctx.pal.inkDim, ctx}.body(),
        },
        ui::HorizontalAlignment::leading, 6 * u);

    auto eventsColumn = ui::HStack(
        {
            // A hairline is one point at every size.
            ui::Rectangle().fill(ctx.pal.hairline).frame(1, std::nullopt),
            ui::VStack(std::move(rows), ui::HorizontalAlignment::leading, 12 * u)
                .padding(ui::Edges::leading, 24 * u)
                .frame(ui::FlexFrame{.maxWidth = ui::infinity, .alignment = ui::Alignment::leading}),
        },
        ui::VerticalAlignment::center, 0);

    return ui::HStack({dateColumn, eventsColumn}, ui::VerticalAlignment::center, 24 * u)
        .padding(ui::EdgeInsets{22 * u, 26 * u, 22 * u, 26 * u})
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
