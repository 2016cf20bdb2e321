#include "app/window/ThemeWheelIcon.h"

#include "shared/foundation/PlyxTokens.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace plyx::ThemeWheelIcon {

namespace {

struct Quarter {
    QColor color;
    int startDegrees;  // counter-clockwise from three o'clock, as the painter counts
};

QColor red() {
    const auto& c = PlyxTokens::nothingRed;
    return QColor::fromRgbF(float(c.r), float(c.g), float(c.b));
}

} // namespace

void paint(QPainter& painter, const QRectF& rect) {
    // A conical sweep with stops at the quarters has hard edges, so it is
    // the four pie slices it amounts to.
    const std::array<Quarter, 4> quarters = {{
        {red(), 0},                     // top to right
        {QColor(245, 245, 245), 270},   // right to bottom
        {QColor(138, 138, 138), 180},   // bottom to left
        {QColor(76, 76, 76), 90},       // left to top
    }};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const auto& q : quarters) {
        painter.setBrush(q.color);
        painter.drawPie(rect, q.startDegrees * 16, 90 * 16);
    }
    painter.restore();
}

QIcon icon(double devicePixelRatio, int canvas) {
    const int pixels = int(canvas * devicePixelRatio + 0.5);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        const double side = kSide * devicePixelRatio;
        const double inset = (pixels - side) / 2;
        paint(p, QRectF(inset, inset, side, side));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return QIcon(pixmap);
}

} // namespace plyx::ThemeWheelIcon
