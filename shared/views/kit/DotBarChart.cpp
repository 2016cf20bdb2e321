#include "shared/views/kit/DotBarChart.h"

#include "shared/views/kit/KitMath.h"

namespace plyx {
namespace {
constexpr double kRowGap = 8; // design units between the bars and their labels
}

int DotBarChart::rowCount(const Bar& bar) const {
    if (!kit::isUsableLength(dotPitch)) return 1;
    const double rows = kit::unitFraction(bar.value) * kit::safeLength(chartHeight) / dotPitch;
    return std::max(1, kit::roundedCount(rows, kit::kMaxDots));
}

int DotBarChart::dotsPerRow() const {
    if (!kit::isUsableLength(dotPitch)) return 1;
    return std::max(1, kit::roundedCount(kit::safeLength(barWidth) / dotPitch, kit::kMaxDots));
}

ui::View DotBarChart::dotColumn(const Bar& bar) const {
    const double d = kit::safeLength(dotSize * u);
    const double gap = kit::safeSpacing((dotPitch - dotSize) * u);
    const ui::Color c = bar.color.value_or(defaultColor);
    const int perRow = dotsPerRow();
    // Views are immutable: every dot of the column is the same one, and so is every row.
    const ui::View dot = ui::Circle().fill(c).frame(d, d);
    const ui::View row = ui::HStack(ui::ForEachIndex(perRow, [&](int) { return dot; }), ui::VerticalAlignment::center, gap);
    const auto rows = ui::ForEachIndex(rowCount(bar), [&](int) { return row; });
    return ui::VStack(rows, ui::HorizontalAlignment::center, gap)
        .frame(std::nullopt, kit::safeLength(chartHeight * u), ui::Alignment::bottom);
}

ui::View DotBarChart::body() const {
    ui::FlexFrame share;
    share.maxWidth = ui::infinity;
    auto columns = ui::ForEach(bars, [&](const Bar& b) { return dotColumn(b).frame(share); });
    auto labels = ui::ForEach(bars, [&](const Bar& b) {
        return ui::Text(b.label).font(labelFont).foregroundColor(b.labelColor.value_or(defaultLabelColor)).frame(share);
    });
    return ui::VStack({ui::HStack(std::move(columns), ui::VerticalAlignment::bottom, 0)
                           .frame(std::nullopt, kit::safeLength(chartHeight * u)),
                       ui::HStack(std::move(labels), ui::VerticalAlignment::center, 0)},
                      ui::HorizontalAlignment::center, kRowGap * u);
}

} // namespace plyx
