#pragma once
// The day number and weekday beside the next two events that are not over.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/CalendarSnapshot.h"

namespace plyx {

struct CalendarDayEvents {
    Date date;
    CalendarSnapshot data;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
