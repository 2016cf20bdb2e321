#include "app/gallery/WidgetGalleryCard.h"

#include "app/catalog/CatalogPreview.h"
#include "app/catalog/WidgetCard.h"
#include "platform/ui/widget/ViewWidget.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/models/SampleMoment.h"

#include <QCache>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <vector>

namespace plyx {
namespace {

QColor qcolor(const ui::Color& c) { return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a)); }

// The two caption faces and their line heights, looked up once: every tile
// of every gallery uses the same.
struct CaptionFonts {
    QFont name, size;
    double nameHeight = 0, sizeHeight = 0;
};

const CaptionFonts& captionFonts() {
    static const CaptionFonts fonts = [] {
        CaptionFonts f;
        f.name.setPixelSize(12);
        f.name.setWeight(QFont::DemiBold);
        PlyxFonts::registered();
        f.size = QFont(QString::fromStdString(PlyxFonts::fragmentMonoFamily()));
        f.size.setPixelSize(9);
        f.size.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        f.nameHeight = QFontMetricsF(f.name).height();
        f.sizeHeight = QFontMetricsF(f.size).height();
        return f;
    }();
    return fonts;
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
    for (QStaticText* t : {&nameText_, &sizeText_}) {
        t->setTextFormat(Qt::PlainText);
        t->setPerformanceHint(QStaticText::AggressiveCaching);
    }
    sizeText_.setText(QString::fromUtf8(WidgetCatalog::label(widget_.size)).toUpper());
    sizeText_.prepare(QTransform(), captionFonts().size);
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
    // The live parts (focus, stopwatch, now playing) are drawn at the moment
    // their samples are dated from, so a card shows the same values however
    // long after the gallery opened it is built or painted.
    ui::Environment env = preview_->environment();
    env.now = models::sampleMoment();
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
    return offer.height + kPreviewSpacing + captionFonts().nameHeight + kTextSpacing + captionFonts().sizeHeight;
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
    // A name too long for the tile ends in an ellipsis.
    const QFont& font = captionFonts().name;
    nameText_.setText(QFontMetricsF(font).elidedText(QString::fromUtf8(widget_.name), Qt::ElideRight,
                                                     std::max(0.0, width() - 2 * kInset)));
    nameText_.prepare(QTransform(), font);
}

QImage WidgetGalleryCard::chrome() const {
    const QPalette& pal = palette();
    const QColor window = pal.color(QPalette::Window);
    const QColor text = pal.color(QPalette::WindowText);
    auto mixed = [&](double t) {
        return QColor::fromRgbF(float(window.redF() + (text.redF() - window.redF()) * t),
                                float(window.greenF() + (text.greenF() - window.greenF()) * t),
                                float(window.blueF() + (text.blueF() - window.blueF()) * t));
    };
    const QColor fill = mixed(0.05);
    QColor border = text;
    border.setAlphaF(0.06f);
    if (selected_) border = selectionColor_ ? qcolor(*selectionColor_) : pal.color(QPalette::Highlight);
    const QRectF widget = widgetRect();
    const double dpr = devicePixelRatioF();

    // Tiles of one size and look share their picture: a gallery has only a
    // handful of different ones.
    static QCache<QString, QImage> cache(32);
    const QString key = QStringLiteral("%1x%2 %3,%4,%5x%6 %7 %8 %9 @%10")
                            .arg(width())
                            .arg(height())
                            .arg(widget.x())
                            .arg(widget.y())
                            .arg(widget.width())
                            .arg(widget.height())
                            .arg(fill.rgba())
                            .arg(border.rgba())
                            .arg(selected_)
                            .arg(dpr);
    if (const QImage* hit = cache.object(key)) return *hit;

    QImage image(QSize(width(), height()) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The tile, one step off the window's own background.
    const QRectF tile = QRectF(rect());
    p.fillPath(ContinuousRoundedRectangle(kCornerRadius).path(tile), fill);

    // The preview's shadow, under the widget itself rather than its whole offer.
    if (widget.width() > 0 && widget.height() > 0) {
        const double scale = widget.width() / WidgetCatalog::designSize(widget_.size).width;
        const QImage shadow = shadowImage(widget.size(), WidgetCard::kCornerRadius * scale, dpr);
        p.drawImage(QPointF(widget.x() - shadow.offset().x() / dpr, widget.y() + kShadowDrop - shadow.offset().y() / dpr),
                    shadow);
    }

    // The border along the inside of the tile's edge.
    const double line = selected_ ? 2 : 1;
    p.setPen(QPen(border, line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ContinuousRoundedRectangle(kCornerRadius - line / 2)
                   .path(tile.adjusted(line / 2, line / 2, -line / 2, -line / 2)));
    p.end();
    cache.insert(key, new QImage(image));
    return image;
}

void WidgetGalleryCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPointF(0, 0), chrome());

    // The name, then the size in capitals, centred under the preview.
    const CaptionFonts& fonts = captionFonts();
    const QColor text = palette().color(QPalette::WindowText);
    const double nameTop = previewArea().bottom() + kPreviewSpacing;
    p.setPen(text);
    p.setFont(fonts.name);
    p.drawStaticText(QPointF((width() - nameText_.size().width()) / 2, nameTop), nameText_);
    QColor tertiary = text;
    tertiary.setAlphaF(0.45f);
    p.setPen(tertiary);
    p.setFont(fonts.size);
    p.drawStaticText(QPointF((width() - sizeText_.size().width()) / 2, nameTop + fonts.nameHeight + kTextSpacing),
                     sizeText_);
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
