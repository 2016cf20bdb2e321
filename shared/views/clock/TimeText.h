#pragma once
// The time of day inside the clock faces, hours and minutes in the zone
// given, in the theme's numeral style: for dot-matrix numerals two texts
// around a colon of two small squares, otherwise one text with the font's
// own colon. 12- or 24-hour form as ClockFormat decides; never a day period.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx {

struct TimeText {
    Date date;
    std::string timeZone;
    double size = 15; ///< font size in design units
    ui::Color color;  ///< digits and colon squares alike
    ui::FontWeight weight = ui::FontWeight::black;
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
