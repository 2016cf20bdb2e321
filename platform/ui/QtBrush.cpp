// Colours, gradients and the material as Qt colours and brushes.
#include "platform/ui/Element.h"

#include <algorithm>

namespace plyx::ui::detail {

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(float(std::clamp(c.r, 0.0, 1.0)), float(std::clamp(c.g, 0.0, 1.0)),
                            float(std::clamp(c.b, 0.0, 1.0)), float(std::clamp(c.a, 0.0, 1.0)));
}

namespace {
QPointF unitPoint(UnitPoint u, const QRectF& r) { return {r.x() + u.x * r.width(), r.y() + u.y * r.height()}; }

void setStops(QGradient& q, const Gradient& g, bool reversed, double span) {
    QGradientStops stops;
    for (const auto& s : g.stops) {
        double at = std::clamp(s.location * span, 0.0, 1.0);
        stops.append({reversed ? 1.0 - at : at, toQColor(s.color)});
    }
    std::sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    if (stops.isEmpty()) stops.append({0.0, QColor(Qt::transparent)});
    q.setStops(stops);
}
} // namespace

QBrush toBrush(const ShapeStyle& style, const QRectF& rect) {
    if (auto c = std::get_if<Color>(&style)) return QBrush(toQColor(*c));
    if (auto m = std::get_if<Material>(&style)) return QBrush(toQColor(materialColor(*m)));
    if (auto g = std::get_if<LinearGradient>(&style)) {
        QLinearGradient q(unitPoint(g->startPoint, rect), unitPoint(g->endPoint, rect));
        setStops(q, g->gradient, false, 1);
        return QBrush(q);
    }
    if (auto g = std::get_if<RadialGradient>(&style)) {
        const QPointF c = unitPoint(g->center, rect);
        const double end = std::max(g->endRadius, 1e-6);
        QRadialGradient q(c, end, c, std::clamp(g->startRadius, 0.0, end));
        setStops(q, g->gradient, false, 1);
        return QBrush(q);
    }
    const auto& g = std::get<AngularGradient>(style);
    // Qt's conical gradient runs counter-clockwise on screen; ours runs clockwise,
    // so the stops are mirrored and the start angle negated.
    QConicalGradient q(unitPoint(g.center, rect), -g.startAngle);
    const double span = (g.endAngle - g.startAngle) / 360.0;
    setStops(q, g.gradient, true, span);
    return QBrush(q);
}

} // namespace plyx::ui::detail
