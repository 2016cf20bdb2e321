#pragma once
// The only styling input of a widget view: the theme as stored, the palette
// resolved for this widget, and the scale unit every length is multiplied by.
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/WidgetPalette.h"

namespace plyx {

struct WCtx {
    /// The theme exactly as read; its `surface` is the app-wide style, not
    /// the one resolved for this widget.
    ThemeSettings theme;
    WidgetPalette pal;
    /// The smaller of the offered width and height over the design size.
    double u = 1;
};

} // namespace plyx
