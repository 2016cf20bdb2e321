#pragma once
// The month as dots: one per day from the first of the month in the first
// column (no weekday offset), the days gone filled, today enlarged in the
// accent, and the days left counted below.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

namespace plyx {

struct CalendarMonthGrid {
    Date date;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
