#include "app/wallpapers/WallpaperCard.h"

#include "app/wallpapers/WallpaperStyle.h"
#include "platform/ui/Symbols.h"

#include <QFutureWatcher>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QtConcurrent/QtConcurrent>

namespace plyx {

namespace {

constexpr const char* kBadgeSymbol = "checkmark.circle.fill";

int rowHeight() {
    return std::max(QFontMetrics(WallpaperStyle::cardTitleFont()).height(),
                    QFontMetrics(WallpaperStyle::cardToneFont()).height());
}

} // namespace

WallpaperCard::WallpaperCard(WallpaperItem item, bool applied, QWidget* parent)
    : QWidget(parent), item_(std::move(item)), applied_(applied) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QString::fromStdString(item_.name));
    if (const auto thumb = item_.thumbURL()) {
        // Each card reads its own thumbnail off the main thread; the watcher
        // is the card's child, so a card that goes away drops the result.
        auto* watcher = new QFutureWatcher<QImage>(this);
        connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher] {
            thumbnail_ = watcher->result();
            watcher->deleteLater();
            update();
        });
        const QString path = QString::fromStdString(thumb->string());
        watcher->setFuture(QtConcurrent::run([path] { return QImage(path); }));
    }
}

void WallpaperCard::setApplied(bool applied) {
    if (applied == applied_) return;
    applied_ = applied;
    update();
}

int WallpaperCard::cardHeight() { return kPadding + kImageHeight + kRowSpacing + rowHeight() + kPadding; }

QSize WallpaperCard::sizeHint() const { return {260, cardHeight()}; }

QRectF WallpaperCard::imageRect() const {
    return QRectF(kPadding, kPadding, std::max(0, width() - 2 * kPadding), kImageHeight);
}

void WallpaperCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPalette& pal = palette();

    // The card: a raised fill with a faint inner border.
    const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(WallpaperStyle::hierarchical(pal, 0.06), 1));
    p.setBrush(WallpaperStyle::secondaryBackground(pal));
    p.drawRoundedRect(card, kCardRadius, kCardRadius);

    // The thumbnail, filling its box (cropped, never stretched).
    const QRectF image = imageRect();
    QPainterPath clip;
    clip.addRoundedRect(image, kImageRadius, kImageRadius);
    p.save();
    p.setClipPath(clip);
    if (thumbnail_.isNull()) {
        p.fillRect(image, WallpaperStyle::hierarchical(pal, WallpaperStyle::kQuinary));
    } else {
        const QSizeF scaled = QSizeF(thumbnail_.size()).scaled(image.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(image.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
        p.drawImage(target, thumbnail_);
    }
    p.restore();

    if (applied_) {
        // The check is cut out of the disc: a white dot behind it shows
        // through in the symbol's own shape.
        const QRectF badge(image.right() - kBadgeInset - kBadgeSize, image.top() + kBadgeInset, kBadgeSize,
                           kBadgeSize);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(badge.adjusted(3, 3, -3, -3));
        p.drawImage(badge, WallpaperStyle::tintedSymbol(kBadgeSymbol, badge.size(), devicePixelRatioF(),
                                                         WallpaperStyle::accentRed()));
    }

    // Title on the left, tone on the right, on one line.
    const QRectF row(kPadding, image.bottom() + kRowSpacing, image.width(), rowHeight());
    const QString tone = QString(WallpaperItem::rawValue(item_.tone)).toUpper();
    const QFont toneFont = WallpaperStyle::cardToneFont();
    const int toneWidth = QFontMetrics(toneFont).horizontalAdvance(tone);
    p.setFont(toneFont);
    p.setPen(WallpaperStyle::hierarchical(pal, WallpaperStyle::kTertiary));
    p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, tone);
    const QFont titleFont = WallpaperStyle::cardTitleFont();
    p.setFont(titleFont);
    p.setPen(pal.color(QPalette::WindowText));
    const QRectF titleBox = row.adjusted(0, 0, -(toneWidth + 8), 0);
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(titleFont).elidedText(QString::fromStdString(item_.name), Qt::ElideRight,
                                                  int(titleBox.width())));
}

void WallpaperCard::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCardRadius, kCardRadius);
    if (shape.contains(e->position())) emit tapped(item_);
}

} // namespace plyx
