#pragma once
// Today's date written large: the weekday over the day of the month, the
// month and year at the bottom.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

namespace plyx {

struct CalendarBigDate {
    Date date;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
