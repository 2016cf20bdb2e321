#pragma once
// Tonight's moon (small): a disc of 8 × 8 dots, grey where the moon is dark
// and lit on the side the phase lights (the right while waxing, the left
// while waning), with the phase name and the days to the next full or new moon.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/MoonInfo.h"

namespace plyx {

struct MoonView {
    MoonInfo data;
    WCtx ctx;

    /// The dark part of the disc: sRGB 76/255 on each channel, opaque.
    static constexpr ui::Color kDarkGrey = ui::Color::grey255(76);
    /// The disc's side and its dots, in design units.
    static constexpr double kDiscSize = 72;
    static constexpr int kDiscDots = 8;

    /// The width of the lit part in design units: the lit fraction of the
    /// disc, held to 0...1 (a fraction that is not a number lights nothing).
    double litWidth() const;

    ui::View disc() const;
    ui::View body() const;
};

} // namespace plyx
