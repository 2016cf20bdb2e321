#pragma once
// Every label of every widget: in the theme's label style, either
// "Fragment Mono" in capitals with letter spacing, or the medium system face
// as written. Always one line, cut at the end when too long.
#include "platform/base/TextCase.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx {

/// Views upper-case what they draw in capitals with the one shared helper.
using text::upperCased;

struct Caption {
    std::string text;
    double size = 10; ///< design units
    double em = 0.1;  ///< letter spacing as a share of the size (capitals style only)
    ui::Color color;
    WCtx ctx;

    /// The text as drawn: upper-cased in the capitals style.
    std::string displayText() const;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

/// A caption led by a small dot in its own colour (legends, status lines).
struct DotCaption {
    std::string text;
    double size = 10;
    double em = 0.1;
    ui::Color dot;
    ui::Color color;
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

/// Figures and large titles: one line, shrinking to 0.55 of the size at most.
ui::View numeralFit(const ui::View& view);

} // namespace plyx
