#pragma once
// A new placement from what a user gives: a kind, configuration text and an
// optional position. Shared by the running host and the command line. And
// where a widget's window goes: a free spot for a new one, a screen for one
// whose screen went away.
#include "platform/widgetkit/WidgetConfiguration.h"
#include "widgets/host/Placement.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plyx::host {

using WidgetFinder = std::function<const widgetkit::WidgetConfiguration*(const std::string& kind)>;

/// The placement, or nothing with `error` naming the problem in one line
/// (unknown kind, bad configuration, a value that is not what its parameter
/// needs, a position past kCoordinateLimit, a kind or configuration longer
/// than coding::kMaxPassedText). Without `at` the widget goes to the first
/// free spot of `area` (see `freeSpot`) among the widgets already `placed`.
std::optional<Placement> placeWidget(const WidgetFinder& find, const std::string& kind, const std::string& configJson,
                                     std::optional<QPoint> at, const QRect& area,
                                     const std::vector<Placement>& placed, std::string* error);

/// The rectangle a placement's window covers (its family's design size);
/// empty for a kind `find` does not know.
QRect coveredBy(const WidgetFinder& find, const Placement& p);

/// Where a widget of `size` goes in `area` so that it overlaps none of
/// `taken` and keeps a gap from each: the first such spot going down the
/// left column, then the columns to its right. When there is none, the top
/// left of `area`.
QPoint freeSpot(QSize size, const QRect& area, const std::vector<QRect>& taken);

/// Where a window at `window` is shown: where it is when enough of it lies on
/// one of `screens` to be seen and dragged; else moved wholly onto the screen
/// nearest to it. Unchanged when there are no screens.
QPoint keptOnScreen(const QRect& window, const std::vector<QRect>& screens);

} // namespace plyx::host
