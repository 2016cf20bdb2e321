#pragma once
// One tile of the wallpapers pane: the thumbnail (a soft placeholder while it
// loads or when it is missing), a red check over its corner when the desktop
// shows this wallpaper, and below it the title and the tone.
#include "app/wallpapers/WallpaperItem.h"

#include <QImage>
#include <QWidget>

namespace plyx {

class WallpaperCard : public QWidget {
    Q_OBJECT
public:
    WallpaperCard(WallpaperItem item, bool applied, QWidget* parent = nullptr);

    const WallpaperItem& item() const { return item_; }
    bool applied() const { return applied_; }
    void setApplied(bool applied);
    /// Whether the thumbnail has arrived (false while loading, and for good
    /// when it is missing or does not read).
    bool thumbnailLoaded() const { return !thumbnail_.isNull(); }

    /// The card's height: fixed, whatever its width.
    static int cardHeight();

    QSize sizeHint() const override;

    // The card's fixed measures, in points.
    static constexpr int kPadding = 12;
    static constexpr int kImageHeight = 130;
    static constexpr int kRowSpacing = 10;
    static constexpr int kImageRadius = 10;
    static constexpr int kCardRadius = 14;
    static constexpr int kBadgeSize = 18;
    static constexpr int kBadgeInset = 8;

signals:
    /// A click anywhere inside the card's rounded shape.
    void tapped(const plyx::WallpaperItem& item);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRectF imageRect() const;

    WallpaperItem item_;
    bool applied_ = false;
    QImage thumbnail_;
};

} // namespace plyx
