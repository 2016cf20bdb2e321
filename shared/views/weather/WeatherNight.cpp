#include "shared/views/weather/WeatherNight.h"

#include "shared/views/weather/ConditionsCard.h"
#include "shared/views/weather/WeatherTexts.h"

#include <string>

namespace plyx {

ui::View WeatherNight::body() const {
    const double size = 56 * ctx.u;
    const ui::View temperature = ui::HStack(
        {
            WeatherTexts::figure(std::to_string(data.temperature), size, ui::FontWeight::black, ctx.pal.ink, ctx),
            WeatherTexts::figure("°", size, ui::FontWeight::black, ctx.pal.accent, ctx),
        },
        ui::VerticalAlignment::top, 0);
    return ConditionsCard::card(data, {22, ctx.pal.ink, 18, 20},
                                ConditionsCard::column(data, temperature, WeatherTexts::feels(data.feelsLike), ctx),
                                ctx);
}

} // namespace plyx
