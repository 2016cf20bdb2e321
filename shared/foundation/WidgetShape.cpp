#include "shared/foundation/WidgetShape.h"

#include <QPainterPath>

#include <algorithm>

namespace plyx {

ui::Shape ContinuousRoundedRectangle(double cornerRadius) {
    return ui::Shape("ContinuousRoundedRectangle", [cornerRadius](const QRectF& rect) {
        // Each corner starts about one and a half radii along the side and
        // bends in one cubic whose handles lie close to the corner: the curve
        // meets the sides with no jump in curvature and passes the corner's
        // diagonal where a circular corner of the same radius would.
        constexpr double kReach = 1.528;
        constexpr double kHandle = 0.822;
        QPainterPath path;
        const double p = std::max(0.0, std::min(cornerRadius * kReach, std::min(rect.width(), rect.height()) / 2));
        if (p <= 0) {
            path.addRect(rect);
            return path;
        }
        const double h = p * (1 - kHandle);
        const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        path.moveTo(l + p, t);
        path.lineTo(r - p, t);
        path.cubicTo(r - h, t, r, t + h, r, t + p);
        path.lineTo(r, b - p);
        path.cubicTo(r, b - h, r - h, b, r - p, b);
        path.lineTo(l + p, b);
        path.cubicTo(l + h, b, l, b - h, l, b - p);
        path.lineTo(l, t + p);
        path.cubicTo(l, t + h, l + h, t, l + p, t);
        path.closeSubpath();
        return path;
    });
}

} // namespace plyx
