#pragma once
// The US air-quality index (small): the index as a large number, a dot bar
// full from 150 up, and the band's name. From 101 up everything turns to the
// accent colour.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/AirQualitySnapshot.h"

namespace plyx {

struct AirQualityView {
    AirQualitySnapshot data;
    WCtx ctx;

    /// From this index on the view is drawn in the accent colour.
    static constexpr std::int64_t kHotIndex = 101;
    /// The index that fills the bar.
    static constexpr double kFullBarIndex = 150;

    bool isHot() const { return data.aqi >= kHotIndex; }
    /// aqi ÷ 150, at most 1.
    double barFraction() const;

    ui::View body() const;
};

} // namespace plyx
