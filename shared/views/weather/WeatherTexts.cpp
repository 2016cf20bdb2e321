#include "shared/views/weather/WeatherTexts.h"

#include "platform/base/Numbers.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <cmath>

namespace plyx::WeatherTexts {

std::string degrees(std::int64_t value) { return std::to_string(value) + "°"; }

std::string highLow(std::int64_t high, std::int64_t low) {
    return "H " + std::to_string(high) + "° · L " + std::to_string(low) + "°";
}

std::string feels(std::int64_t feelsLike) { return "Feels " + std::to_string(feelsLike) + "°"; }

std::int64_t rainPercent(double chance) {
    // The product is taken in doubles first, so 0.29 gives 28.999999999999996
    // and truncates to 28, as the forecast has always shown it.
    return num::truncatedInt64(chance * 100.0).value_or(0);
}

std::string symbolName(const WeatherSnapshot& data) {
    return WeatherSnapshot::symbol(data.code.value_or(kFallbackCode), data.isNight);
}

ui::View figure(const std::string& text, double size, ui::FontWeight weight, const ui::Color& color,
                const WCtx& ctx) {
    return numeralFit(ui::Text(text).font(PlyxFonts::numerals(size, ctx.theme.numerals, weight)))
        .foregroundColor(color);
}

} // namespace plyx::WeatherTexts
