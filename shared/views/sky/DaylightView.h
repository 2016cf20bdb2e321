#pragma once
// The day from sunrise to sunset (medium): seven dots on an arc from the
// lower left over the top to the lower right, the sun's dot lit in the accent
// colour at the entry's moment, the dots it has passed faint; the day's
// length above and the two times below.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/DaylightInfo.h"

namespace plyx {

struct DaylightView {
    DaylightInfo data;
    Date date; ///< the moment drawn
    WCtx ctx;

    static constexpr int kDots = 7;

    /// How far through the day `date` is: 0 before sunrise, 1 after sunset.
    /// A sunset not after the sunrise counts as a day of one second.
    double dayFraction() const;
    /// The dot the sun sits on, 0...6 (halves round away from zero).
    int sunIndex() const;
    /// The centre of dot `i` in a reader of `size`: a parabola through the
    /// lower left (6 % across, 95 % down), the top centre (5 % down) and the
    /// lower right (94 % across).
    static ui::Point dotCentre(int i, ui::Size size);

    ui::View body() const;

private:
    ui::View arc(ui::Size size) const;
};

} // namespace plyx
