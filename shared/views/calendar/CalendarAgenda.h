#pragma once
// Today's schedule: a date header with the number of events, the first
// three events as rows with their start and details, and the share of the
// waking day gone as a dot bar.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/CalendarSnapshot.h"

#include <string>

namespace plyx {

struct CalendarAgenda {
    Date date;
    CalendarSnapshot data;
    WCtx ctx;

    ui::View body() const;

    /// "Day 42%": the whole percent of the day gone. A progress that is not a
    /// finite number reads as 0, and it is held to 0...1.
    static std::string dayText(double dayProgress);

private:
    ui::View row(const EventItem& e, bool ruled) const;
};

} // namespace plyx
