#pragma once
// The hour, minute and accent hands of the analog faces, with a centre cap.
// Each hand points out from the centre at 12 o'clock and is turned clockwise.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockHands {
    Date date;
    std::string timeZone; ///< the zone the hour and minute are read in
    double hourLength = 40, minuteLength = 56, accentLength = 60;
    double hourWidth = 5, minuteWidth = 3.5, accentWidth = 1.5;
    ui::Color handColor;
    ui::Color accentColor;
    double capSize = 7;
    std::optional<ui::Color> capRing;
    WCtx ctx;
    /// Seconds within the current minute, fraction included, for a face with
    /// a live seconds hand.
    std::optional<double> liveSeconds;

    struct Angles {
        double hour = 0, minute = 0, accent = 0; ///< degrees clockwise from 12 o'clock
        bool operator==(const Angles&) const = default;
    };
    /// Hour: 30 per hour plus 0.5 per minute; minute: 6 per whole minute;
    /// accent: 6 per live second, or 150 ahead of the minute hand without
    /// live seconds (not reduced modulo 360).
    Angles angles() const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
