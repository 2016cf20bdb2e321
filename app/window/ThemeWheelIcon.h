#pragma once
// The "Theme" row's icon: a 14-point disc in four hard quarters, clockwise
// from the top: red, light grey, mid grey, dark grey.
#include <QIcon>
#include <QRectF>

class QPainter;

namespace plyx::ThemeWheelIcon {

inline constexpr int kSide = 14;

/// Draws the wheel into `rect`.
void paint(QPainter& painter, const QRectF& rect);
/// The wheel as an icon, sharp at `devicePixelRatio`, centred on a square
/// of `canvas` points so it lines up with the symbols beside it.
QIcon icon(double devicePixelRatio, int canvas = kSide);

} // namespace plyx::ThemeWheelIcon
