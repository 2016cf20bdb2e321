#pragma once
// Fonts sized in design points, where a design point is one logical pixel
// (the unit of every length in the windows), whatever the font system's
// idea of a typographic point.
#include <QFont>

namespace plyx {

/// `base` at `points` design points; `bold` sets the bold weight.
inline QFont designFont(QFont base, double points, bool bold = false) {
    // Qt turns typographic points into logical pixels at 96 per inch.
    base.setPointSizeF(points * 72.0 / 96.0);
    if (bold) base.setBold(true);
    return base;
}

} // namespace plyx
