#pragma once
// A horizontal run of dots filled to a fraction: as many dots as fit the
// offered width at `pitch`, the first `fraction` of them in `fill`, the next
// `overFraction` in `over` (an excess such as time over a budget), the rest
// in `track`.
#include "platform/ui/View.h"

namespace plyx {

struct DotBar {
    double fraction = 0;
    double overFraction = 0;
    double pitch = 6;   ///< design units between dot centres
    double dotSize = 4; ///< design units
    ui::Color track;
    ui::Color fill;
    ui::Color over;
    double u = 1;

    /// How many dots a row of `width` points holds: a dot fits when at least
    /// 80 % of a pitch is left. Always at least one, also when the pitch is
    /// zero, negative or not a number.
    int dotCount(double width) const;
    /// How many of `n` dots are filled and how many are over. Fractions that
    /// are not finite count as 0 and all are held to 0...1.
    int filledCount(int n) const;
    int overCount(int n) const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
