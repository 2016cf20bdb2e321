#pragma once
// Temperature and how it feels (small): the temperature with its degree sign
// in the accent colour, and "Feels" in place of the high and low. Chosen by
// the widget, not by the time of day; only the symbol follows the night flag.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"

namespace plyx {

struct WeatherNight {
    WeatherSnapshot data;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
