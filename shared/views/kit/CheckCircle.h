#pragma once
// The round tick box of the reminders views: a ring when open, a filled disc
// with a checkmark when done; the same square either way.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

namespace plyx {

struct CheckCircle {
    bool done = false;
    double diameter = 18; ///< design units
    ui::Color circleColor;
    ui::Color checkColor;
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
