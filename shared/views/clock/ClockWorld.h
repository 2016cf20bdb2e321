#pragma once
// The world clock face: up to three city columns side by side, the home city
// flagged with a dot, cities at night dimmed, and a dotted rule below.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>
#include <vector>

namespace plyx {

struct ClockWorld {
    /// Columns drawn at most; further zones are left out.
    static constexpr size_t kMaximumColumns = 3;
    /// The opacity of a city's time at night.
    static constexpr double kNightOpacity = 0.55;

    Date date;
    std::vector<std::string> zones; ///< column order
    int homeIndex = 0;              ///< the column flagged as home; none when out of range
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
