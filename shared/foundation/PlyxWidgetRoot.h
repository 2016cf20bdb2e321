#pragma once
// The root view every widget declaration wraps around its own view. At render
// time it reads the stored theme, resolves the widget's background against
// the theme and the desktop's rendering mode, derives the scale unit from the
// space offered, and hands the resulting WCtx to the widget's content. It also
// paints the widget's background.
#include "platform/ui/View.h"
#include "platform/widgetkit/WidgetFamily.h"
#include "shared/foundation/SurfaceOption.h"
#include "shared/foundation/WCtx.h"

#include <functional>

namespace plyx {

/// Design sizes of the three widget families, in points.
namespace DesignSize {
inline constexpr ui::Size small = widgetkit::designSize(widgetkit::WidgetFamily::systemSmall);
inline constexpr ui::Size medium = widgetkit::designSize(widgetkit::WidgetFamily::systemMedium);
inline constexpr ui::Size large = widgetkit::designSize(widgetkit::WidgetFamily::systemLarge);
} // namespace DesignSize

/// The style a widget draws with: glass whenever the desktop tints widgets,
/// otherwise the theme's own style for `followApp` and the named style for
/// the other options.
ThemeSettings::SurfaceStyle resolveSurfaceStyle(SurfaceOption surface, ThemeSettings::SurfaceStyle themeSurface,
                                                ui::RenderingMode mode);

/// The scale unit for `offered` space and a widget designed for `designSize`:
/// the smaller of the two ratios.
double scaleUnit(ui::Size offered, ui::Size designSize);

/// The root view: `content` is called with the context for each render.
ui::View PlyxWidgetRoot(WidgetPalette::Tone tone, ui::Size designSize, SurfaceOption surface,
                        std::function<ui::View(const WCtx&)> content);

/// How a widget background is filled in the view layer.
ui::ShapeStyle shapeStyle(const WidgetBackground& background);

} // namespace plyx
