#include "app/theme/ThemeOptions.h"

namespace plyx::ThemeOptions {

std::string accentName(const ThemeSettings& draft) {
    if (draft.followSystemAccent) return "SYSTEM";
    switch (draft.accent.kind) {
    case Kind::custom: return "CUSTOM";
    case Kind::nothingRed: return "NOTHING RED";
    case Kind::blue: return "BLUE";
    case Kind::orange: return "ORANGE";
    case Kind::purple: return "PURPLE";
    case Kind::green: return "GREEN";
    }
    return "CUSTOM";
}

bool swatchSelected(const ThemeSettings& draft, Kind kind) {
    return !draft.followSystemAccent && draft.accent == ThemeSettings::Accent::named(kind);
}

const char* surfaceDescription(ThemeSettings::SurfaceStyle style) {
    for (const auto& s : surfaces)
        if (s.style == style) return s.description;
    return surfaces.front().description;
}

} // namespace plyx::ThemeOptions
