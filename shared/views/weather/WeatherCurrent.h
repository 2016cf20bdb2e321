#pragma once
// Current conditions (small): place, temperature, condition and the day's
// high and low, with the condition symbol in the corner.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"

namespace plyx {

struct WeatherCurrent {
    WeatherSnapshot data;
    WCtx ctx;

    /// The text column without the symbol.
    ui::View weatherContent() const;
    ui::View body() const;
};

} // namespace plyx
