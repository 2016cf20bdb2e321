#include "app/gallery/GalleryGrid.h"

#include <algorithm>
#include <cmath>

namespace plyx {

int GalleryGrid::columns(double width) {
    const double room = width - 2 * kInset;
    return std::max(1, int(std::floor((room + kSpacing) / (kMinColumn + kSpacing))));
}

double GalleryGrid::columnWidth(double width) {
    const int n = columns(width);
    const double room = std::max(0.0, width - 2 * kInset);
    return std::min(kMaxColumn, (room - kSpacing * (n - 1)) / n);
}

GalleryGrid::GalleryGrid(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void GalleryGrid::setCells(std::vector<QWidget*> cells) {
    cells_ = std::move(cells);
    for (QWidget* c : cells_) c->setParent(this);
    relayout();
}

void GalleryGrid::relayout() {
    layoutCells(width(), true);
    updateGeometry();
}

int GalleryGrid::layoutCells(int width, bool place) const {
    const int n = columns(width);
    const double column = std::max(0.0, columnWidth(width));
    // Columns narrower than the room left over (capped at their widest) sit
    // together in the middle.
    const double used = n * column + (n - 1) * kSpacing;
    const double left = kInset + std::max(0.0, (width - 2 * kInset - used) / 2);
    const int cellWidth = int(std::floor(column));

    std::vector<QWidget*> shown;
    for (QWidget* c : cells_)
        if (!c->isHidden()) shown.push_back(c);

    double y = kInset;
    for (std::size_t row = 0; row * n < shown.size(); ++row) {
        const std::size_t first = row * n, end = std::min(shown.size(), first + std::size_t(n));
        int rowHeight = 0;
        for (std::size_t i = first; i < end; ++i) rowHeight = std::max(rowHeight, shown[i]->heightForWidth(cellWidth));
        if (place)
            for (std::size_t i = first; i < end; ++i) {
                const int h = shown[i]->heightForWidth(cellWidth);
                const double x = left + double(i - first) * (column + kSpacing);
                shown[i]->setGeometry(int(std::lround(x)), int(std::lround(y + (rowHeight - h) / 2.0)), cellWidth, h);
            }
        y += rowHeight + kSpacing;
    }
    if (!shown.empty()) y -= kSpacing;
    return int(std::ceil(y + kInset));
}

int GalleryGrid::heightForWidth(int width) const { return layoutCells(width, false); }

QSize GalleryGrid::sizeHint() const {
    const int w = std::max(width(), int(2 * kInset + kMinColumn));
    return {w, heightForWidth(w)};
}

QSize GalleryGrid::minimumSizeHint() const { return {int(2 * kInset + kMinColumn), 0}; }

void GalleryGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutCells(width(), true);
}

} // namespace plyx
