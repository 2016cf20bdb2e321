#pragma once
// The small digital face: the place name, the time large in the theme's
// numeral style, and the short date behind an accent dot.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockMatrixSmall {
    Date date;
    std::string timeZone;
    /// The place caption; when absent, the city part of `timeZone`.
    std::optional<std::string> place;
    WCtx ctx;

    /// The caption as given, else derived from the zone.
    std::string placeText() const;
    /// The abbreviated weekday, month and day of `date` in `timeZone`, in the
    /// current locale's order and calendar ("Mon, Jan 5" in US English). Read
    /// in the face's zone, like the time above it.
    std::string dateText() const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
