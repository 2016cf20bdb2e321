#pragma once
// The computer's charge as a ring with the percentage inside.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/PowerSnapshot.h"

namespace plyx {

struct BatteryRing {
    PowerSnapshot data;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
