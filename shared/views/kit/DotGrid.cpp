#include "shared/views/kit/DotGrid.h"

#include "shared/views/kit/KitMath.h"

namespace plyx {
namespace {
// Spacing that spreads `count` dots of `d` over `extent`, the outer ones at
// the edges; may be negative when the space is too small (the dots overlap).
double spreadGap(double extent, int count, double d) {
    if (count < 2) return 0;
    return kit::safeSpacing((kit::safeLength(extent) - count * d) / (count - 1));
}
} // namespace

const ui::Color& DotGrid::colorAt(int k) const {
    if (highlightIndex && *highlightIndex == k) return highlight;
    return k < filledDots ? fill : track;
}

ui::View DotGrid::body() const {
    const DotGrid grid = *this;
    return ui::GeometryReader([grid](ui::Size size) -> ui::View {
        // Negative counts draw nothing; absurd ones are held to a bound.
        const int cols = std::min(grid.columns, kit::kMaxDots);
        const int rows = std::min(grid.rows, kit::kMaxDots);
        if (cols <= 0 || rows <= 0) return ui::EmptyView();
        const double d = kit::safeLength(grid.dotSize * grid.u);
        std::vector<ui::View> lines;
        lines.reserve(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            std::vector<ui::View> dots;
            dots.reserve(static_cast<std::size_t>(cols));
            for (int c = 0; c < cols; ++c) {
                const int k = r * cols + c;
                ui::View dot = ui::Circle().fill(grid.colorAt(k)).frame(d, d);
                if (grid.highlightIndex && *grid.highlightIndex == k) dot = dot.scaleEffect(kHighlightScale);
                dots.push_back(std::move(dot));
            }
            lines.push_back(ui::HStack(std::move(dots), ui::VerticalAlignment::center, spreadGap(size.width, cols, d)));
        }
        return ui::VStack(std::move(lines), ui::HorizontalAlignment::center, spreadGap(size.height, rows, d));
    });
}

} // namespace plyx
