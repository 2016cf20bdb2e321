#pragma once
// The medium digital face: the time and the long date on the left, the
// minutes into the hour over a seven-dot hour bar on the right.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx {

struct ClockMatrixMedium {
    Date date;
    std::string timeZone;
    WCtx ctx;

    /// The minute of `date` in `timeZone` (0...59), the same minute the time
    /// shows, also in zones half an hour off the current one.
    int minute() const;
    /// The wide weekday, month and day of `date` in `timeZone`, in the
    /// current locale ("Monday, January 5" in US English).
    std::string dateText() const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
