#pragma once
// A bar chart whose bars are columns of lit dots growing up from a common
// baseline, each bar in an equal share of the width with its label centred
// under it.
#include "platform/coding/Uuid.h"
#include "platform/ui/View.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct DotBarChart {
    struct Bar {
        /// Each bar made gets a fresh identity.
        Bar(double value, std::optional<ui::Color> color, std::string label,
            std::optional<ui::Color> labelColor = std::nullopt)
            : id(Uuid::random()), value(value), color(color), label(std::move(label)), labelColor(labelColor) {}

        Uuid id;
        double value = 0; ///< height as a share of the chart height, 0...1
        std::optional<ui::Color> color;
        std::string label; ///< drawn verbatim, may be empty
        std::optional<ui::Color> labelColor;
    };

    std::vector<Bar> bars;
    double barWidth = 12;    ///< design units given to the dots of one bar
    double chartHeight = 60; ///< design units; a bar of value 1 is this high
    double dotPitch = 6;     ///< design units between dot centres, across and up
    double dotSize = 4;      ///< design units
    ui::Color defaultColor;
    ui::Font labelFont;
    ui::Color defaultLabelColor;
    double u = 1;

    /// Rows and dots per row of one bar's column: at least one of each, also
    /// for a value of 0. Values that are not finite count as 0 and all are
    /// held to 0...1; a pitch that is not a positive number gives one dot.
    int rowCount(const Bar& bar) const;
    int dotsPerRow() const;

    /// The column of lit dots of one bar, framed to the chart height and
    /// standing on its bottom edge.
    ui::View dotColumn(const Bar& bar) const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
