#include "widgets/host/PlaceWidget.h"

#include "platform/coding/Coding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plyx::host {

namespace {
// From the area's edge to the first widget, and between widgets.
constexpr int kMargin = 24;
constexpr int kGap = 16;
// This much of a window (or all of a smaller one) on a screen is enough to
// find it and drag it back.
constexpr int kGrip = 48;
} // namespace

std::optional<Placement> placeWidget(const WidgetFinder& find, const std::string& kind, const std::string& configJson,
                                     std::optional<QPoint> at, const QRect& area,
                                     const std::vector<Placement>& placed, std::string* error) {
    auto refuse = [&](std::string why) -> std::optional<Placement> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    if (kind.size() > coding::kMaxPassedText)
        return refuse("widget kind longer than " + std::to_string(coding::kMaxPassedText) + " bytes");
    const auto* widget = find(kind);
    if (!widget) return refuse("unknown widget kind \"" + kind + "\" (see --list)");
    if (at && (std::abs(at->x()) > kCoordinateLimit || std::abs(at->y()) > kCoordinateLimit))
        return refuse("bad position " + std::to_string(at->x()) + "," + std::to_string(at->y()) + " (X and Y from -" +
                      std::to_string(kCoordinateLimit) + " to " + std::to_string(kCoordinateLimit) + ")");
    std::string why;
    auto config = intents::Configuration::parse(widget->intent(), configJson, &why);
    if (!config) return refuse("bad configuration: " + why);
    Placement p;
    p.id = newPlacementId();
    p.kind = kind;
    // Only what the user gave: values left out keep following the defaults.
    p.configuration = config->values();
    QPoint corner;
    if (at) {
        corner = *at;
    } else {
        std::vector<QRect> taken;
        for (const auto& other : placed)
            if (auto r = coveredBy(find, other); !r.isEmpty()) taken.push_back(r);
        const auto size = widgetkit::designSize(widget->supportedFamilies().front());
        corner = freeSpot(QSize(int(std::lround(size.width)), int(std::lround(size.height))), area, taken);
    }
    p.x = corner.x();
    p.y = corner.y();
    return p;
}

QRect coveredBy(const WidgetFinder& find, const Placement& p) {
    const auto* widget = find(p.kind);
    if (!widget) return {};
    const auto size = widgetkit::designSize(widget->supportedFamilies().front());
    return QRect(p.x, p.y, int(std::lround(size.width)), int(std::lround(size.height)));
}

QPoint freeSpot(QSize size, const QRect& area, const std::vector<QRect>& taken) {
    // A free spot, if any, starts at the area's margin or just past another
    // widget's right or bottom edge: those are the only places to try.
    std::vector<int> xs{area.left() + kMargin}, ys{area.top() + kMargin};
    for (const auto& r : taken) {
        xs.push_back(r.right() + 1 + kGap);
        ys.push_back(r.bottom() + 1 + kGap);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (int x : xs)
        for (int y : ys) {
            const QRect spot(QPoint(x, y), size);
            if (!area.contains(spot)) continue;
            const QRect kept = spot.adjusted(-kGap + 1, -kGap + 1, kGap - 1, kGap - 1);
            if (std::none_of(taken.begin(), taken.end(), [&](const QRect& r) { return r.intersects(kept); }))
                return spot.topLeft();
        }
    return area.topLeft() + QPoint(kMargin, kMargin);
}

QPoint keptOnScreen(const QRect& window, const std::vector<QRect>& screens) {
    if (screens.empty()) return window.topLeft();
    const int needW = std::min(kGrip, window.width()), needH = std::min(kGrip, window.height());
    for (const auto& s : screens) {
        const QRect on = s.intersected(window);
        if (on.width() >= needW && on.height() >= needH) return window.topLeft();
    }
    // The screen whose centre is nearest the window's.
    auto distance = [&](const QRect& s) {
        const QPoint d = s.center() - window.center();
        return double(d.x()) * d.x() + double(d.y()) * d.y();
    };
    const QRect& s = *std::min_element(screens.begin(), screens.end(),
                                       [&](const QRect& a, const QRect& b) { return distance(a) < distance(b); });
    // Wholly on it, or its top left on it when the window is the larger.
    const int x = std::max(s.left(), std::min(window.left(), s.right() + 1 - window.width()));
    const int y = std::max(s.top(), std::min(window.top(), s.bottom() + 1 - window.height()));
    return {x, y};
}

} // namespace plyx::host
