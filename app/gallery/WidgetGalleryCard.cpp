#include "app/gallery/WidgetGalleryCard.h"

#include "app/catalog/CatalogPreview.h"
#include "app/catalog/WidgetCard.h"
#include "platform/time/Time.h"
#include "platform/ui/widget/ViewWidget.h"
#include "shared/foundation/PlyxFonts.h"

#include <QCache>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace plyx {
namespace {

QColor qcolor(const ui::Color& c) { return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a)); }

QFont nameFont() {
    QFont f;
    f.setPixelSize(12);
    f.setWeight(QFont::DemiBold);
    return f;
}

QFont sizeFont() {
    PlyxFonts::registered();
    QFont f(QString::fromStdString(PlyxFonts::fragmentMonoFamily()));
    f.setPixelSize(9);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return f;
}

// Three passes of a box blur over one channel approach a Gaussian blur; the
// edges are treated as transparent.
void boxBlur(std::vector<float>& a, int w, int h, int radius) {
    if (radius <= 0) return;
    std::vector<float> tmp(a.size());
    const float norm = 1.0f / float(2 * radius + 1);
    auto pass = [&](const std::vector<float>& src, std::vector<float>& dst, bool horizontal) {
        const int lines = horizontal ? h : w, len = horizontal ? w : h;
        for (int line = 0; line < lines; ++line) {
            auto at = [&](int i) -> float {
                if (i < 0 || i >= len) return 0;
                return horizontal ? src[std::size_t(line * w + i)] : src[std::size_t(i * w + line)];
            };
            float sum = 0;
            for (int i = -radius; i <= radius; ++i) sum += at(i);
            for (int i = 0; i < len; ++i) {
                (horizontal ? dst[std::size_t(line * w + i)] : dst[std::size_t(i * w + line)]) = sum * norm;
                sum += at(i + radius + 1) - at(i - radius);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(a, tmp, true);
        pass(tmp, a, false);
    }
}

// The blurred shadow of a widget card of `size` points, made once per size
// and pixel ratio: every tile of the same widget size shares it.
QImage shadowImage(QSizeF size, double cornerRadius, double dpr) {
    static QCache<QString, QImage> cache(64);
    const QString key =
        QStringLiteral("%1x%2r%3@%4").arg(size.width()).arg(size.height()).arg(cornerRadius).arg(dpr);
    if (const QImage* hit = cache.object(key)) return *hit;

    // A blur radius reads as a Gaussian of half that deviation; three box
    // passes of this width give about that deviation.
    const double sigma = WidgetGalleryCard::kShadowRadius / 2 * dpr;
    const int box = std::max(1, int(std::lround(std::sqrt(4 * sigma * sigma + 1) / 2)));
    const int margin = 3 * box + 2;
    const int w = int(std::ceil(size.width() * dpr)) + 2 * margin;
    const int h = int(std::ceil(size.height() * dpr)) + 2 * margin;

    QImage shape(w, h, QImage::Format_Alpha8);
    shape.fill(0);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF rect(margin, margin, size.width() * dpr, size.height() * dpr);
        p.fillPath(ContinuousRoundedRectangle(cornerRadius * dpr).path(rect), Qt::black);
    }
    std::vector<float> alpha(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const uchar* line = shape.constScanLine(y);
        for (int x = 0; x < w; ++x) alpha[std::size_t(y * w + x)] = float(line[x]) / 255.0f;
    }
    boxBlur(alpha, w, h, box);
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = int(std::lround(alpha[std::size_t(y * w + x)] * WidgetGalleryCard::kShadowOpacity * 255));
            line[x] = qRgba(0, 0, 0, std::clamp(a, 0, 255));
        }
    }
    out.setDevicePixelRatio(dpr);
    out.setOffset(QPoint(margin, margin));
    cache.insert(key, new QImage(out));
    return out;
}

} // namespace

WidgetGalleryCard::WidgetGalleryCard(const CatalogWidget& widget, const ThemeSettings& theme, QWidget* parent)
    : QWidget(parent), widget_(widget), theme_(theme), preview_(new ui::ViewWidget(this)) {
    setObjectName(QString::fromUtf8(widget.kind));
    setAccessibleName(QString::fromUtf8(widget.name));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // The whole tile takes the click: the preview's own buttons stay
    // pictures here, so a tap never runs a widget's action from the gallery.
    preview_->setAttribute(Qt::WA_TransparentForMouseEvents);
    refreshPreview();
}

WidgetGalleryCard::~WidgetGalleryCard() = default;

void WidgetGalleryCard::setTheme(const ThemeSettings& theme) {
    theme_ = theme;
    refreshPreview();
}

void WidgetGalleryCard::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    update();
}

void WidgetGalleryCard::setSelectionColor(const ui::Color& color) {
    selectionColor_ = color;
    update();
}

void WidgetGalleryCard::refreshPreview() {
    const CatalogWidget entry = widget_;
    const WidgetCard card{widget_.tone, WidgetCatalog::designSize(widget_.size), theme_, std::nullopt, true,
                          [entry](const WCtx& ctx) { return entry.preview(ctx); }};
    // The moment the live parts (focus, stopwatch, daylight) are drawn at.
    ui::Environment env = preview_->environment();
    env.now = time::now();
    preview_->setEnvironment(env);
    preview_->setView(card.body());
}

ui::Size WidgetGalleryCard::previewOffer(CatalogWidget::Size size, double tileWidth) {
    const bool small = size == CatalogWidget::Size::small;
    const double maxWidth = small ? 120 : 240;
    return {std::clamp(tileWidth - 2 * kInset, 0.0, maxWidth), size == CatalogWidget::Size::large ? 200.0 : 120.0};
}

double WidgetGalleryCard::contentHeight(double tileWidth) const {
    const ui::Size offer = previewOffer(widget_.size, tileWidth);
    return offer.height + kPreviewSpacing + QFontMetricsF(nameFont()).height() + kTextSpacing +
           QFontMetricsF(sizeFont()).height();
}

int WidgetGalleryCard::heightForWidth(int width) const {
    const double least = widget_.size == CatalogWidget::Size::large ? kMinLargeHeight : kMinHeight;
    return int(std::ceil(std::max(least, contentHeight(width) + 2 * kInset)));
}

QSize WidgetGalleryCard::sizeHint() const { return {250, heightForWidth(250)}; }

QRectF WidgetGalleryCard::previewArea() const {
    const ui::Size offer = previewOffer(widget_.size, width());
    const double top = (height() - contentHeight(width())) / 2;
    return {(width() - offer.width) / 2, top, offer.width, offer.height};
}

QRectF WidgetGalleryCard::widgetRect() const {
    const QRectF area = previewArea();
    const ui::Size fitted = WidgetCard::fittedSize(WidgetCatalog::designSize(widget_.size),
                                                   ui::Size{area.width(), area.height()});
    return {area.center().x() - fitted.width / 2, area.center().y() - fitted.height / 2, fitted.width,
            fitted.height};
}

void WidgetGalleryCard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    preview_->setGeometry(previewArea().toRect());
}

void WidgetGalleryCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor window = pal.color(QPalette::Window);
    const QColor text = pal.color(QPalette::WindowText);
    auto mixed = [&](double t) {
        return QColor::fromRgbF(float(window.redF() + (text.redF() - window.redF()) * t),
                                float(window.greenF() + (text.greenF() - window.greenF()) * t),
                                float(window.blueF() + (text.blueF() - window.blueF()) * t));
    };

    // The tile, one step off the window's own background.
    const QRectF tile = QRectF(rect());
    const QPainterPath outline = ContinuousRoundedRectangle(kCornerRadius).path(tile);
    p.fillPath(outline, mixed(0.05));

    // The preview's shadow, under the widget itself rather than its whole offer.
    const QRectF widget = widgetRect();
    if (widget.width() > 0 && widget.height() > 0) {
        const double scale = widget.width() / WidgetCatalog::designSize(widget_.size).width;
        const QImage shadow = shadowImage(widget.size(), WidgetCard::kCornerRadius * scale, devicePixelRatioF());
        const double dpr = shadow.devicePixelRatio();
        p.drawImage(QPointF(widget.x() - shadow.offset().x() / dpr, widget.y() + kShadowDrop - shadow.offset().y() / dpr),
                    shadow);
    }

    // The name, then the size in capitals, centred under the preview.
    const QRectF area = previewArea();
    const QFont nf = nameFont(), sf = sizeFont();
    const double nameTop = area.bottom() + kPreviewSpacing;
    const double nameHeight = QFontMetricsF(nf).height();
    p.setPen(text);
    p.setFont(nf);
    const QRectF nameRect(kInset, nameTop, width() - 2 * kInset, nameHeight);
    p.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
               QFontMetricsF(nf).elidedText(QString::fromUtf8(widget_.name), Qt::ElideRight, nameRect.width()));
    QColor tertiary = text;
    tertiary.setAlphaF(0.45f);
    p.setPen(tertiary);
    p.setFont(sf);
    p.drawText(QRectF(kInset, nameTop + nameHeight + kTextSpacing, width() - 2 * kInset, QFontMetricsF(sf).height()),
               Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(WidgetCatalog::label(widget_.size)).toUpper());

    // The border along the inside of the tile's edge.
    const double line = selected_ ? 2 : 1;
    QColor border = text;
    border.setAlphaF(0.06f);
    if (selected_) border = selectionColor_ ? qcolor(*selectionColor_) : pal.color(QPalette::Highlight);
    p.setPen(QPen(border, line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ContinuousRoundedRectangle(kCornerRadius - line / 2)
                   .path(tile.adjusted(line / 2, line / 2, -line / 2, -line / 2)));
}

void WidgetGalleryCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
}

void WidgetGalleryCard::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && onTap_) onTap_();
}

} // namespace plyx
