#include "shared/views/calendar/CalendarAgenda.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/calendar/CalendarDates.h"
#include "shared/views/calendar/CalendarEventText.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr size_t kRows = 3;
constexpr const char* kEventsSuffix = " events";
constexpr const char* kDayPrefix = "Day ";
} // namespace

std::string CalendarAgenda::dayText(double dayProgress) {
    const double p = std::isfinite(dayProgress) ? std::clamp(dayProgress, 0.0, 1.0) : 0.0;
    return kDayPrefix + std::to_string(static_cast<int>(std::trunc(p * 100))) + "%";
}

ui::View CalendarAgenda::row(const EventItem& e, bool ruled) const {
    const double u = ctx.u;
    const ui::Color timeColor = e.isNext ? ctx.pal.accent : e.isPast ? ctx.pal.inkFaint : ctx.pal.inkDim;
    std::vector<ui::View> text{
        ui::Text(e.title)
            .font(eventTitleFont(ctx))
            .lineLimit(1)
            .strikethrough(e.isPast)
            .foregroundColor(e.isPast ? ctx.pal.inkFaint : ctx.pal.ink),
    };
    if (e.detail)
        text.push_back(
            Caption{*e.detail, 9.5, 0, e.isPast ? ctx.pal.inkFaint.opacity(0.7) : ctx.pal.inkDim, ctx}.body());
    return ui::VStack(
        {
            ui::HStack(
                {
                    Caption{e.start, 10, 0, timeColor, ctx}
                        .body()
                        .frame(48 * u, std::nullopt, ui::Alignment::leading)
                        .padding(ui::Edges::top, 2 * u),
                    ui::VStack(std::move(text), ui::HorizontalAlignment::leading, 2 * u),
                },
                ui::VerticalAlignment::top, 16 * u)
                .padding(ui::Edges::vertical, 10 * u),
            ruled ? ui::Rectangle().fill(ctx.pal.hairline).frame(std::nullopt, 1) : ui::EmptyView(),
        },
        ui::HorizontalAlignment::leading, 0);
}

ui::View CalendarAgenda::body() const {
    const double u = ctx.u;
    const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;

    const std::string title = CalendarDates::monthDayAbbreviated(date);
    auto header = ui::HStack(
        {
            numeralFit(ui::Text(caps ? upperCased(title) : title)
                           .font(PlyxFonts::numerals(19 * u, ctx.theme.numerals, ui::FontWeight::heavy))
                           .tracking(caps ? 1.14 * u : 0))
                .foregroundColor(ctx.pal.ink),
            Caption{CalendarDates::weekdayWide(date), 10, 0.16, ctx.pal.inkDim, ctx}.body(),
            ui::Spacer(),
            Caption{std::to_string(data.events.size()) + kEventsSuffix, 10, 0, ctx.pal.inkDim, ctx}.body(),
        },
        ui::VerticalAlignment::firstTextBaseline, 10 * u);

    const size_t shown = std::min(data.events.size(), kRows);
    std::vector<ui::View> rows;
    for (size_t i = 0; i < shown; ++i) rows.push_back(row(data.events[i], i + 1 < shown));

    auto footer = ui::HStack(
        {
            DotBar{data.dayProgress, 0, 6, 5, ctx.pal.track, ctx.pal.fill, ui::Color::clear(), u}.body(),
            Caption{dayText(data.dayProgress), 9, 0.14, ctx.pal.inkDim, ctx}.body().fixedSize(),
        },
        ui::VerticalAlignment::center, 10 * u);

    return ui::VStack(
               {
                   header,
                   ui::VStack(std::move(rows), ui::HorizontalAlignment::leading, 0).padding(ui::Edges::top, 18 * u),
                   ui::Spacer(0),
                   footer,
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(26 * u)
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
