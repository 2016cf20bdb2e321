#pragma once
// A widget drawn inside the application, where no desktop frame holds it: at
// the largest scale that fits the space offered, on its own rounded
// background, with the same palette and background styles as on the desktop
// but the background style taken from a theme (or an override) instead of
// the widget's configured option. Callers add any shadow, border or caption.
#include "platform/ui/View.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/WCtx.h"
#include "shared/foundation/WidgetPalette.h"
#include "shared/foundation/WidgetShape.h"

#include <functional>
#include <optional>

namespace plyx {

struct WidgetCard {
    /// Corner radius at design scale, for the background and the content's clip.
    static constexpr double kCornerRadius = kWidgetCornerRadius;

    WidgetPalette::Tone tone = WidgetPalette::Tone::dark;
    /// Both sides positive.
    ui::Size designSize{};
    ThemeSettings theme{};
    /// Used instead of `theme.surface` when present.
    std::optional<ThemeSettings::SurfaceStyle> surfaceOverride{};
    bool drawsBackground = true;
    std::function<ui::View(const WCtx&)> content{};

    /// The largest size of `designSize`'s proportions that fits in `offered`.
    static ui::Size fittedSize(ui::Size designSize, ui::Size offered);
    /// The scale the widget is drawn at in `offered`: 0 before any space is given.
    static double scale(ui::Size designSize, ui::Size offered);

    /// Takes all the space offered and draws the fitted widget centred in it.
    ui::View body() const;
};

} // namespace plyx
