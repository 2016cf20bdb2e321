#pragma once
// The gallery's grid: as many columns as fit at 250 points or more each (at
// most 340 each), 14 points apart across and down, inset by 20 points on
// every side. Cells fill their column's width; a row is as tall as its
// tallest cell, and shorter cells sit in its middle. Hidden cells take no
// place.
#include <QWidget>

#include <vector>

namespace plyx {

class GalleryGrid : public QWidget {
public:
    static constexpr double kMinColumn = 250;
    static constexpr double kMaxColumn = 340;
    static constexpr double kSpacing = 14;
    static constexpr double kInset = 20;

    /// How many columns a grid `width` points wide holds (at least one).
    static int columns(double width);
    /// The width of each of them.
    static double columnWidth(double width);

    explicit GalleryGrid(QWidget* parent = nullptr);

    /// The cells, in the order they are placed; the grid becomes their parent.
    void setCells(std::vector<QWidget*> cells);
    /// Places the visible cells again (after cells were shown or hidden).
    void relayout();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Lays the cells out for `width`; places them when `place` is set.
    /// Returns the height used.
    int layoutCells(int width, bool place) const;

    std::vector<QWidget*> cells_;
};

} // namespace plyx
