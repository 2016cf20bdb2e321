#include "app/wallpapers/WallpaperGrid.h"

#include <algorithm>
#include <cmath>

namespace plyx {

GridColumns gridColumns(double width) {
    const double inner = std::max(0.0, width - 2 * WallpaperGrid::kPadding);
    // n columns at their minimum need n*min + (n-1)*spacing.
    const int count = std::max(
        1, int(std::floor((inner + WallpaperGrid::kSpacing) / (WallpaperGrid::kMinColumn + WallpaperGrid::kSpacing))));
    const double share = (inner - WallpaperGrid::kSpacing * (count - 1)) / count;
    const double column = std::clamp(share, WallpaperGrid::kMinColumn, WallpaperGrid::kMaxColumn);
    const double used = count * column + (count - 1) * WallpaperGrid::kSpacing;
    // Centred in the padded width; a column wider than the room starts at
    // the padding rather than off the left edge.
    const double left = WallpaperGrid::kPadding + std::max(0.0, (inner - used) / 2);
    return {count, column, left};
}

WallpaperGrid::WallpaperGrid(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WallpaperGrid::setTiles(const std::vector<QWidget*>& tiles, int tileHeight) {
    for (QWidget* old : tiles_)
        if (std::find(tiles.begin(), tiles.end(), old) == tiles.end()) old->hide();
    tiles_ = tiles;
    tileHeight_ = tileHeight;
    for (QWidget* t : tiles_) {
        t->setParent(this);
        t->show();
    }
    updateGeometry();
    place();
}

int WallpaperGrid::heightForWidth(int width) const {
    const auto cols = gridColumns(width);
    const int rows = (int(tiles_.size()) + cols.count - 1) / cols.count;
    const double content = rows == 0 ? 0 : rows * tileHeight_ + (rows - 1) * kSpacing;
    return int(std::ceil(content + 2 * kPadding));
}

QSize WallpaperGrid::sizeHint() const {
    const int w = int(3 * kMinColumn + 2 * kSpacing + 2 * kPadding);
    return {w, heightForWidth(w)};
}

void WallpaperGrid::resizeEvent(QResizeEvent*) { place(); }

void WallpaperGrid::place() {
    const auto cols = gridColumns(width());
    for (size_t i = 0; i < tiles_.size(); ++i) {
        const int col = int(i) % cols.count, row = int(i) / cols.count;
        const double x = cols.left + col * (cols.width + kSpacing);
        const double y = kPadding + row * (tileHeight_ + kSpacing);
        tiles_[i]->setGeometry(int(std::round(x)), int(std::round(y)), int(std::round(cols.width)), tileHeight_);
    }
}

} // namespace plyx
