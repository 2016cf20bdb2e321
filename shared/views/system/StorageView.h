#pragma once
// The storage widget's view: disk use as a ring that fills clockwise from the
// top, the used gigabytes in its middle over "Of" and the total.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/StorageSnapshot.h"

namespace plyx {

struct StorageView {
    StorageSnapshot data;
    WCtx ctx;

    ui::View body() const;

    /// The filled part of the ring: used over total, 0 when the total is not
    /// positive. Not clamped; the ring draws anything past 1 as full.
    static double usedFraction(const StorageSnapshot& data);
};

} // namespace plyx
