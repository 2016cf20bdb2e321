#pragma once
// The outline of a widget: a rounded rectangle with continuous corners. The
// desktop clips each widget window to it, and the application's cards and
// previews draw it, so a widget has the same shape everywhere.
#include "platform/ui/Shape.h"

namespace plyx {

/// Corner radius of every widget family at design scale.
inline constexpr double kWidgetCornerRadius = 26;

/// A rounded rectangle whose corners ease into the straight sides instead of
/// meeting them at a circle's tangent, as the desktop draws widget corners.
ui::Shape ContinuousRoundedRectangle(double cornerRadius);

} // namespace plyx
