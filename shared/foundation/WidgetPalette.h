#pragma once
// The eight colour roles of one widget, resolved from a background style, the
// widget's tone and the accent colour, and the background painted behind them.
#include "platform/ui/Color.h"
#include "shared/foundation/ThemeSettings.h"

namespace plyx {

/// What fills a widget's background. The view layer turns it into a fill.
struct WidgetBackground {
    enum class Kind {
        color,             ///< one solid colour, `color`
        ultraThinMaterial, ///< the translucent glass material
        verticalGradient,  ///< a linear gradient from `top` (top edge) to `bottom` (bottom edge)
    };
    Kind kind = Kind::color;
    ui::Color color{};
    ui::Color top{};
    ui::Color bottom{};

    bool operator==(const WidgetBackground&) const = default;
};

struct WidgetPalette {
    enum class Tone { dark, light };

    ui::Color ink;      ///< main foreground: text, hands, numerals
    ui::Color inkDim;   ///< secondary captions
    ui::Color inkFaint; ///< faint text, past or done items
    ui::Color accent;
    ui::Color track;    ///< unfilled dots and rings
    ui::Color fill;     ///< filled dots, check circles
    ui::Color hairline; ///< thin rules
    ui::Color chip;     ///< faint backing of small elements

    bool operator==(const WidgetPalette&) const = default;

    /// The palette of a widget on `surface` in `tone` with `accent`. Glass and
    /// accent backgrounds ignore the tone.
    static WidgetPalette resolve(ThemeSettings::SurfaceStyle surface, Tone tone, const ui::Color& accent);
    /// The background the widget root paints for the same inputs.
    static WidgetBackground background(ThemeSettings::SurfaceStyle surface, Tone tone, const ui::Color& accent);
};

} // namespace plyx
