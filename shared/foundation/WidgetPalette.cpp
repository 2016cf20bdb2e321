#include "shared/foundation/WidgetPalette.h"

#include "shared/foundation/PlyxTokens.h"

namespace plyx {
namespace {
using ui::Color;

WidgetPalette solid(WidgetPalette::Tone tone, const Color& accent) {
    if (tone == WidgetPalette::Tone::light)
        return {Color::grey255(17),  Color::grey255(138), Color::grey255(196),
                accent,              Color::grey255(226), Color::grey255(17),
                Color::grey255(236), Color::rgb(244 / 255.0, 244 / 255.0, 242 / 255.0)};
    return {Color::grey255(245), Color::grey255(138), Color::grey255(95), accent,
            Color::grey255(58),  Color::grey255(245), Color::grey255(46), Color::grey255(31)};
}

WidgetPalette glass(const Color& accent) {
    const Color w = Color::white();
    return {w, w.opacity(0.65), w.opacity(0.5), brightened(accent, 0.25), w.opacity(0.25), w, w.opacity(0.18),
            w.opacity(0.1)};
}

// On an accent background the accent itself is the backdrop, so the inks are
// one base colour: near-black over a light accent, white over any other.
WidgetPalette onAccent(const Color& accent) {
    if (isLightAccent(accent)) {
        const Color b = Color::grey255(17);
        return {b, b.opacity(0.55), b.opacity(0.4), b, b.opacity(0.22), b, b.opacity(0.2), b.opacity(0.1)};
    }
    const Color b = Color::white();
    return {b, b.opacity(0.7), b.opacity(0.55), b, b.opacity(0.3), b, b.opacity(0.2), b.opacity(0.1)};
}
} // namespace

WidgetPalette WidgetPalette::resolve(ThemeSettings::SurfaceStyle surface, Tone tone, const ui::Color& accent) {
    switch (surface) {
    case ThemeSettings::SurfaceStyle::solid: return solid(tone, accent);
    case ThemeSettings::SurfaceStyle::glass: return glass(accent);
    case ThemeSettings::SurfaceStyle::accent: return onAccent(accent);
    }
    return solid(tone, accent);
}

WidgetBackground WidgetPalette::background(ThemeSettings::SurfaceStyle surface, Tone tone, const ui::Color& accent) {
    WidgetBackground bg;
    switch (surface) {
    case ThemeSettings::SurfaceStyle::solid:
        bg.kind = WidgetBackground::Kind::color;
        bg.color = tone == Tone::dark ? PlyxTokens::ink : PlyxTokens::paper;
        break;
    case ThemeSettings::SurfaceStyle::glass: bg.kind = WidgetBackground::Kind::ultraThinMaterial; break;
    case ThemeSettings::SurfaceStyle::accent:
        bg.kind = WidgetBackground::Kind::verticalGradient;
        bg.top = brightened(accent, 0.18);
        bg.bottom = accent;
        break;
    }
    return bg;
}

} // namespace plyx
