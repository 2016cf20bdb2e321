#pragma once
// The two widgets that count toward a moment: the countdown to a configured
// date and the focus session started and stopped with the widget's button.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

//                                          kind                display name  description                       family  tone
inline constexpr WidgetRow CountdownWidget{"plyx.countdown",   "Countdown",  "Days until the thing.",          kSmall, kDark};
inline constexpr WidgetRow FocusWidget    {"plyx.focus.timer", "Focus",      "A tap-to-start focus session.",  kSmall, kDark};

/// The two widgets with their providers and views, in the rows' order.
std::vector<DeclaredWidget> focusWidgets();

} // namespace plyx
