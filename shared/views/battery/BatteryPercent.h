#pragma once
// The computer's charge as a large percentage over a dot bar, with the time
// remaining or that it is charging.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/PowerSnapshot.h"

#include <string>

namespace plyx {

struct BatteryPercent {
    PowerSnapshot data;
    WCtx ctx;

    /// "Charging", else the time remaining ("2H 40M remaining", an em dash
    /// when there is no estimate).
    static std::string status(const PowerSnapshot& data);

    ui::View body() const;
};

} // namespace plyx
