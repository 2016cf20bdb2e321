#pragma once
// A new placement from what a user gives: a kind, configuration text and an
// optional position. Shared by the running host and the command line.
#include "platform/widgetkit/WidgetConfiguration.h"
#include "widgets/host/Placement.h"

#include <QPoint>

#include <functional>
#include <optional>
#include <string>

namespace plyx::host {

using WidgetFinder = std::function<const widgetkit::WidgetConfiguration*(const std::string& kind)>;

/// The placement, or nothing with `error` naming the problem in one line
/// (unknown kind, bad configuration). Without `at` the widget goes near the
/// top-left of `area`, the `count`-th one a step lower, so new widgets don't
/// cover each other.
std::optional<Placement> placeWidget(const WidgetFinder& find, const std::string& kind, const std::string& configJson,
                                     std::optional<QPoint> at, QPoint areaTopLeft, std::size_t count,
                                     std::string* error);

} // namespace plyx::host
