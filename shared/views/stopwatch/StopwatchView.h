#pragma once
// The stopwatch: the time since the start, counting live at every repaint,
// and the last lap. The whole widget is one button that starts the watch or
// takes a lap; once there are laps a smaller button inside it resets.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/StopwatchState.h"

#include <string>
#include <vector>

namespace plyx {

struct StopwatchView {
    StopwatchState state;
    WCtx ctx;

    /// The last lap's length as "mm:ss.t" (01:15.3): the last lap time less the
    /// one before it, or the only one. Empty without laps.
    std::string lapLabel() const;
    /// `seconds` as "mm:ss.t", rounded to tenths before the minutes are
    /// taken, so 59.96 seconds reads 01:00.0. Minutes run past 59.
    static std::string lapText(double seconds);

    /// The serialised intents of the two buttons.
    static std::string toggleAction();
    static std::string resetAction();

    ui::View body() const;
};

} // namespace plyx
