#include "shared/foundation/PlyxWidgetRoot.h"

#include "shared/foundation/ThemeStore.h"

#include <algorithm>

namespace plyx {

ThemeSettings::SurfaceStyle resolveSurfaceStyle(SurfaceOption surface, ThemeSettings::SurfaceStyle themeSurface,
                                                ui::RenderingMode mode) {
    if (mode != ui::RenderingMode::fullColor) return ThemeSettings::SurfaceStyle::glass;
    switch (surface) {
    case SurfaceOption::followApp: return themeSurface;
    case SurfaceOption::solid: return ThemeSettings::SurfaceStyle::solid;
    case SurfaceOption::glass: return ThemeSettings::SurfaceStyle::glass;
    case SurfaceOption::accent: return ThemeSettings::SurfaceStyle::accent;
    }
    return themeSurface;
}

double scaleUnit(ui::Size offered, ui::Size designSize) {
    return std::min(offered.width / designSize.width, offered.height / designSize.height);
}

ui::ShapeStyle shapeStyle(const WidgetBackground& background) {
    switch (background.kind) {
    case WidgetBackground::Kind::color: return background.color;
    case WidgetBackground::Kind::ultraThinMaterial: return ui::Material::ultraThin;
    case WidgetBackground::Kind::verticalGradient:
        return ui::LinearGradient{ui::Gradient::evenly({background.top, background.bottom}), ui::UnitPoint::top(),
                                  ui::UnitPoint::bottom()};
    }
    return background.color;
}

ui::View PlyxWidgetRoot(WidgetPalette::Tone tone, ui::Size designSize, SurfaceOption surface,
                        std::function<ui::View(const WCtx&)> content) {
    return ui::ReadEnvironment([=](const ui::Environment& env) {
        // Asked on every render, so a saved theme shows on the next one.
        const ThemeSettings theme = ThemeStore::current();
        const auto style = resolveSurfaceStyle(surface, theme.surface, env.renderingMode);
        const ui::Color accent = theme.accentColor();
        const ui::ShapeStyle background = env.renderingMode == ui::RenderingMode::fullColor
                                              ? shapeStyle(WidgetPalette::background(style, tone, accent))
                                              : ui::ShapeStyle(ui::Material::ultraThin);
        const WidgetPalette pal = WidgetPalette::resolve(style, tone, accent);
        return ui::GeometryReader([=](ui::Size size) {
                   const WCtx ctx{theme, pal, scaleUnit(size, designSize)};
                   return content(ctx).frame(size.width, size.height, ui::Alignment::center);
               })
            .background(ui::Rectangle().fill(background));
    });
}

} // namespace plyx
