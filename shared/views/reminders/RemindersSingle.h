#pragma once
// One reminder to attend to now (an urgent open one before any other open
// one), or "All done".
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

#include <optional>

namespace plyx {

struct RemindersSingle {
    RemindersSnapshot data;
    WCtx ctx;

    ui::View body() const;

    /// The first open urgent item, else the first open one; none when all are done.
    std::optional<ReminderItem> featured() const;
};

} // namespace plyx
