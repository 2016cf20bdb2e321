#pragma once
// What several clock faces share: figures in the theme's numeral font, the
// place name of a zone, and the day-or-night rule of the city faces.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx::ClockFaceParts {

/// `text` in the theme's numeral font at `points` (already scaled) and
/// `weight`, on one line shrinking to 0.55 at most, in `color`.
ui::View numeralText(const std::string& text, double points, ui::FontWeight weight, const ui::Color& color,
                     const WCtx& ctx);

/// The city part of a zone identifier ("America/New_York" is "New York").
std::string placeName(const std::string& zoneId);

/// Whether it is day in `zoneId` at `date`: the local hour is 7 to 19.
bool isDaytime(Date date, const std::string& zoneId);

} // namespace plyx::ClockFaceParts
