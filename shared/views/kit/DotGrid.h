#pragma once
// A grid of dots spread over the offered space, the outer dots touching its
// edges: the first `filledDots` (in reading order) in `fill`, the rest in
// `track`, and one dot singled out in `highlight` at 1.7 times the size,
// growing over its neighbours without moving them.
#include "platform/ui/View.h"

#include <optional>

namespace plyx {

struct DotGrid {
    int columns = 0;
    int rows = 0;
    int filledDots = 0;
    double dotSize = 4; ///< design units
    ui::Color track;
    ui::Color fill;
    std::optional<int> highlightIndex;
    ui::Color highlight;
    double u = 1;

    /// The scale of the singled-out dot.
    static constexpr double kHighlightScale = 1.7;

    /// The colour of the dot at reading-order index `k`; the highlight wins
    /// over the filled range.
    const ui::Color& colorAt(int k) const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
