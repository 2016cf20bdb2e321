#pragma once
// The day's reminders: the first five rows under "Today", then how many of
// all of them are done, in words and as a dot bar.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

namespace plyx {

struct RemindersToday {
    RemindersSnapshot data;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
