#include "shared/views/weather/WeatherCurrent.h"

#include "shared/views/weather/ConditionsCard.h"
#include "shared/views/weather/WeatherTexts.h"

namespace plyx {

ui::View WeatherCurrent::weatherContent() const {
    return ConditionsCard::column(
        data, WeatherTexts::figure(WeatherTexts::degrees(data.temperature), 56 * ctx.u, ui::FontWeight::black,
                                   ctx.pal.ink, ctx),
        WeatherTexts::highLow(data.high, data.low), ctx);
}

ui::View WeatherCurrent::body() const {
    return ConditionsCard::card(data, {20, ctx.pal.inkDim, 20, 22}, weatherContent(), ctx);
}

} // namespace plyx
