#pragma once
// The pane's grid: adaptive columns between 220 and 300 points wide, 14
// points apart in both directions, 20 points of padding, centred in the
// width it is given. Cards are placed, not laid out by a Qt layout, so the
// column count follows the width exactly.
#include <QWidget>

#include <vector>

namespace plyx {

struct GridColumns {
    int count = 1;
    double width = 0; ///< of each column
    double left = 0;  ///< x of the first column
};

/// The columns for a grid `width` points wide: as many as fit at their
/// minimum width, then widened to share the room up to their maximum; the
/// columns are centred. One column at least, never narrower than the minimum.
GridColumns gridColumns(double width);

class WallpaperGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr double kMinColumn = 220;
    static constexpr double kMaxColumn = 300;
    static constexpr double kSpacing = 14;
    static constexpr double kPadding = 20;

    explicit WallpaperGrid(QWidget* parent = nullptr);
    /// The tiles in order; the grid takes them as children.
    void setTiles(const std::vector<QWidget*>& tiles, int tileHeight);
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void place();
    std::vector<QWidget*> tiles_;
    int tileHeight_ = 0;
};

} // namespace plyx
