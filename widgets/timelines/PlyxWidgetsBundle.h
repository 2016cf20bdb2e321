#pragma once
// Every widget the extension offers, in the order the gallery lists them.
#include "platform/widgetkit/WidgetBundle.h"
#include "widgets/timelines/DeclaredWidget.h"

#include <vector>

namespace plyx::PlyxWidgetsBundle {

/// Each widget with its tone and design size, in bundle order. The first
/// call registers the resource fonts.
const std::vector<DeclaredWidget>& declarations();
/// The same widgets as the host drives them; kinds are checked unique.
const widgetkit::WidgetBundle& bundle();

} // namespace plyx::PlyxWidgetsBundle
