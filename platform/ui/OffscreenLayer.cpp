// Drawing through an offscreen layer, for tints, masks and translucent fills.
#include "platform/ui/Element.h"

#include <QImage>

namespace plyx::ui::detail {

void drawInLayer(QPainter& painter, const QRectF& bounds, const std::function<void(QPainter&)>& content,
                 const std::function<void(QPainter&)>& finish) {
    QPaintDevice* device = painter.device();
    if (!device) return;
    const double dpr = device->devicePixelRatioF();
    const QRectF logical = painter.worldTransform().mapRect(bounds);
    QRect pixels = QRectF(logical.x() * dpr, logical.y() * dpr, logical.width() * dpr, logical.height() * dpr)
                       .toAlignedRect();
    pixels = pixels.intersected(QRect(0, 0, int(device->width() * dpr) + 1, int(device->height() * dpr) + 1));
    if (pixels.isEmpty()) return;

    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(dpr);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHints(painter.renderHints());
        lp.setWorldTransform(painter.worldTransform() *
                             QTransform::fromTranslate(-pixels.x() / dpr, -pixels.y() / dpr));
        content(lp);
        if (finish) finish(lp);
    }
    painter.save();
    painter.setWorldTransform(QTransform());
    // A blit on whole device pixels: smoothing hints would only send it down a slow path.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(QPointF(pixels.x() / dpr, pixels.y() / dpr), layer);
    painter.restore();
}

} // namespace plyx::ui::detail
