#pragma once
// The texts and the condition symbol the four weather views share. Numbers
// are printed as they arrive: the provider has already converted them to the
// widget's unit.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"

#include <cstdint>
#include <string>

namespace plyx::WeatherTexts {

/// The code drawn when a snapshot carries none: partly cloudy.
inline constexpr std::int64_t kFallbackCode = 2;

/// "21°", "-2°".
std::string degrees(std::int64_t value);
/// "H 21° · L 12°".
std::string highLow(std::int64_t high, std::int64_t low);
/// "Feels 19°".
std::string feels(std::int64_t feelsLike);
/// The rain chance as whole percent, truncated toward zero (0.999 gives 99,
/// 0.29 gives 28). A chance that is not a number or whose hundredfold leaves
/// the integer range shows 0.
std::int64_t rainPercent(double chance);

/// The symbol of the snapshot's code by day or night, code 2 when it has none.
std::string symbolName(const WeatherSnapshot& data);

/// A large temperature or percentage: the theme's numerals, one line that may
/// shrink, in `color`.
ui::View figure(const std::string& text, double size, ui::FontWeight weight, const ui::Color& color,
                const WCtx& ctx);

} // namespace plyx::WeatherTexts
