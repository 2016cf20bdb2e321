#include "shared/views/weather/WeatherForecast.h"

#include "shared/views/kit/Caption.h"
#include "shared/views/weather/WeatherTexts.h"

namespace plyx {

namespace {
// A hairline stays one point thick at every widget size.
constexpr double kRuleThickness = 1;
} // namespace

ui::View WeatherForecast::header() const {
    const double u = ctx.u;
    return ui::HStack(
        {
            WeatherTexts::figure(WeatherTexts::degrees(data.temperature), 36 * u, ui::FontWeight::black, ctx.pal.ink,
                                 ctx),
            ui::Spacer(),
            ui::VStack(
                {
                    Caption{data.condition, 10, 0.1, ctx.pal.ink, ctx},
                    Caption{data.place, 9.5, 0.12, ctx.pal.inkDim, ctx},
                    Caption{WeatherTexts::highLow(data.high, data.low), 9.5, 0, ctx.pal.inkDim, ctx},
                },
                ui::HorizontalAlignment::trailing, 3 * u),
        },
        ui::VerticalAlignment::top);
}

ui::View WeatherForecast::dayColumn(const WeatherSnapshot::Day& day) const {
    const double u = ctx.u;
    ui::FlexFrame share;
    share.maxWidth = ui::infinity;
    return ui::VStack(
               {
                   Caption{day.label, 9, 0, day.isPeak ? ctx.pal.accent : ctx.pal.inkDim, ctx},
                   WeatherTexts::figure(WeatherTexts::degrees(day.high), 17 * u, ui::FontWeight::heavy,
                                        day.isPeak ? ctx.pal.accent : ctx.pal.ink, ctx)
                       .padding(ui::Edges::top, 4 * u),
                   Caption{WeatherTexts::degrees(day.low), 8.5, 0, ctx.pal.inkFaint, ctx}.body().padding(
                       ui::Edges::top, 2 * u),
               },
               ui::HorizontalAlignment::center, 0)
        .frame(share);
}

ui::View WeatherForecast::body() const {
    const double u = ctx.u;
    // Every day the provider kept is shown, sharing the width equally.
    auto days = ui::ForEach(data.days, [&](const WeatherSnapshot::Day& d) { return dayColumn(d); });
    return ui::VStack(
               {
                   header(),
                   ui::Rectangle()
                       .fill(ctx.pal.hairline)
                       .frame(std::nullopt, kRuleThickness)
                       .padding(ui::Edges::top, 14 * u),
                   ui::HStack(std::move(days), ui::VerticalAlignment::center, 0).padding(ui::Edges::top, 12 * u),
               },
               ui::HorizontalAlignment::center, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
