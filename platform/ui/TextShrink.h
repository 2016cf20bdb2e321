#pragma once
// Internal: the shrink search. A text that would be cut is drawn at the largest
// scale of its font, down to its minimum scale factor, at which nothing is cut.
#include "platform/ui/TextLines.h"

#include <functional>

namespace plyx::ui::detail {

/// Lays the text out at a scale of its font for an offered size.
using LayoutAtScale = std::function<TextLayout(double scale, ProposedSize proposal)>;

/// The layout at the largest scale in [`minimumScaleFactor`, 1] at which
/// nothing is cut, found to within a small fraction of the font size; the
/// layout at the minimum scale, cut, when even that does not fit. `oneLine`
/// says the text is limited to one line.
TextLayout shrinkToFit(const LayoutAtScale& layoutAt, ProposedSize proposal, double minimumScaleFactor,
                       bool oneLine);

} // namespace plyx::ui::detail
