#include "shared/views/weather/ConditionsCard.h"

#include "shared/views/kit/Caption.h"
#include "shared/views/weather/WeatherTexts.h"

namespace plyx::ConditionsCard {

ui::View column(const WeatherSnapshot& data, const ui::View& figure, const std::string& lastLine, const WCtx& ctx) {
    const double u = ctx.u;
    ui::FlexFrame fill;
    fill.maxWidth = ui::infinity;
    fill.maxHeight = ui::infinity;
    fill.alignment = ui::Alignment::leading;
    return ui::VStack(
               {
                   Caption{data.place, 10, 0.16, ctx.pal.inkDim, ctx},
                   figure.padding(ui::Edges::top, 8 * u),
                   ui::Spacer(0),
                   Caption{data.condition, 10, 0.1, ctx.pal.ink, ctx},
                   Caption{lastLine, 10, 0, ctx.pal.inkDim, ctx}.body().padding(ui::Edges::top, 3 * u),
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frame(fill);
}

ui::View card(const WeatherSnapshot& data, const Icon& icon, const ui::View& column, const WCtx& ctx) {
    const double u = ctx.u;
    // Padding is applied top first, then trailing, so the two insets add up
    // the way they read.
    const ui::View symbol = ui::Image(WeatherTexts::symbolName(data))
                                .font(ui::Font::system(icon.size * u, ui::FontWeight::light))
                                .foregroundColor(icon.color)
                                .padding(ui::Edges::top, icon.top * u)
                                .padding(ui::Edges::trailing, icon.trailing * u);
    return ui::ZStack({symbol, column}, ui::Alignment::topTrailing);
}

} // namespace plyx::ConditionsCard
