#pragma once
// The classic analog face: a ring of 12 hour and 60 minute ticks, the hands
// with a ringed cap and, on the hybrid, the digital time above the centre.
// One still picture of one minute.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockAnalogClassic {
    Date date;
    std::string timeZone;
    std::optional<double> liveSeconds; ///< none in every widget
    bool digital = false;              ///< the hybrid's digital time
    WCtx ctx;

    /// The cap's ring: white on the light tone's ink (#111111), else the fixed ink.
    static ui::Color capRingColor(const ui::Color& ink);

    ui::View body() const;
    operator ui::View() const { return body(); }

private:
    /// `count` radial ticks whose outer ends touch the circle of `radius`,
    /// the first at 12 o'clock, advancing clockwise.
    ui::View tickRing(int count, double tickLength, double tickWidth, const ui::Color& color, double radius) const;
};

} // namespace plyx
