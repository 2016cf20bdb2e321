#pragma once
// The stacked face: the hour over the minutes in large numerals at the left,
// and the zone's offset from GMT turned on its side along the right edge.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx {

struct ClockStacked {
    Date date;
    std::string timeZone;
    WCtx ctx;

    /// The offset label of `timeZone` in force at `date` (not at the moment
    /// the view is built), so entries made ahead of a daylight-saving change
    /// show the offset of their own minute.
    std::string gmtText() const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
