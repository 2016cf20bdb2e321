#pragma once
// Today and the days ahead (medium): the temperature with condition, place
// and high/low beside it, a hairline, then one column per forecast day with
// its label, high and low. The warmest day is marked in the accent colour.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"

namespace plyx {

struct WeatherForecast {
    WeatherSnapshot data;
    WCtx ctx;

    ui::View body() const;

private:
    ui::View header() const;
    ui::View dayColumn(const WeatherSnapshot::Day& day) const;
};

} // namespace plyx
