#pragma once
// Today's power log: whether the computer is charging, the last three
// entries (the current one in the accent colour) and the charge as a dot bar.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/PowerSnapshot.h"

namespace plyx {

struct BatteryLog {
    PowerSnapshot data;
    WCtx ctx;

    /// Log entries shown at most: the latest ones.
    static constexpr std::size_t kEntries = 3;

    ui::View body() const;
};

} // namespace plyx
