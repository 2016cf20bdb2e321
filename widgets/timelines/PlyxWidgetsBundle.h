#pragma once
// Every widget the extension offers, in the order the gallery lists them.
#include "platform/widgetkit/WidgetBundle.h"
#include "widgets/timelines/DeclareWidget.h"

#include <span>
#include <string_view>
#include <vector>

namespace plyx::PlyxWidgetsBundle {

/// The bundle's order: six groups of kinds, listed in turn.
std::span<const std::span<const char* const>> groups();

/// `declared` in the order of `groups()`. Throws std::logic_error when a kind
/// is declared twice or is not named by the order.
std::vector<DeclaredWidget> inBundleOrder(std::vector<DeclaredWidget> declared);

/// Every declared widget with its row, in bundle order. The first call
/// registers the resource fonts.
const std::vector<DeclaredWidget>& declarations();
/// The declared widget of `kind`; nullptr when none.
const DeclaredWidget* find(std::string_view kind);
/// The same widgets as the host drives them.
const widgetkit::WidgetBundle& bundle();

} // namespace plyx::PlyxWidgetsBundle
