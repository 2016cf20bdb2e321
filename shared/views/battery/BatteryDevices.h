#pragma once
// Every battery, one row each: name, dot bar and percentage; a device at
// 20 percent or less turns to the accent colour.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/PowerSnapshot.h"

#include <cstdint>

namespace plyx {

struct BatteryDevices {
    PowerSnapshot data;
    WCtx ctx;

    /// A device at this percentage or below is drawn in the accent colour.
    static constexpr std::int64_t kLowPercent = 20;

    ui::View body() const;
};

} // namespace plyx
