#pragma once
// What the theme editor offers, in display order, with every text it shows
// for an option. The editor builds its controls from these tables.
#include "platform/ui/Font.h"
#include "shared/foundation/ThemeSettings.h"

#include <array>
#include <string>

namespace plyx::ThemeOptions {

using Kind = ThemeSettings::Accent::Kind;

/// The named accents that get a swatch, left to right; the custom colour
/// well follows them.
inline constexpr std::array<Kind, 5> swatches{Kind::nothingRed, Kind::blue, Kind::orange, Kind::purple, Kind::green};

/// The caption beside the swatches: "SYSTEM" while the desktop's accent is
/// followed, else the accent's name.
std::string accentName(const ThemeSettings& draft);

/// Whether the swatch of `kind` is ringed: it is the draft's accent and the
/// desktop's accent is not followed.
bool swatchSelected(const ThemeSettings& draft, Kind kind);

struct Section {
    const char* title;
    const char* subtitle;
};
inline constexpr Section accentSection{"Accent color", "Used for alerts, highlights and the second hand"};
inline constexpr Section numeralsSection{"Numerals", "Time, dates and figures in every widget"};
inline constexpr Section labelsSection{"Labels", "Captions, units and secondary text"};
inline constexpr Section surfaceSection{"Surface", "How widget backgrounds are drawn"};

inline constexpr const char* kFollowSystemAccent = "Follow system accent";
inline constexpr const char* kNumeralSample = "16:32";

struct NumeralOption {
    ThemeSettings::NumeralStyle style;
    const char* name;
    /// Null for the system style: its tag names the system face in use,
    /// which only the running desktop knows.
    const char* fontTag;
};
inline constexpr std::array<NumeralOption, 3> numerals{{
    {ThemeSettings::NumeralStyle::dotMatrix, "Dot Matrix", "DEFAULT"},
    {ThemeSettings::NumeralStyle::mono, "Mono", "TERMINAL"},
    {ThemeSettings::NumeralStyle::system, "System", nullptr},
}};

struct LabelOption {
    ThemeSettings::LabelStyle style;
    const char* sample;
    bool monoSample;      ///< "Fragment Mono" at 11 with 1.5 of tracking, else the system face at 12
    const char* name;
    double nameGap;       ///< the name's distance below the sample
};
inline constexpr std::array<LabelOption, 2> labels{{
    {ThemeSettings::LabelStyle::monoCaps, "WEDNESDAY 15 JULY", true, "Mono caps", 8},
    {ThemeSettings::LabelStyle::systemSans, "Wednesday 15 July", false, "System sans", 9},
}};

struct SurfaceOption {
    ThemeSettings::SurfaceStyle style;
    const char* segment;
    const char* description;
};
inline constexpr const char* kSurfacePickerLabel = "Surface";
inline constexpr std::array<SurfaceOption, 3> surfaces{{
    {ThemeSettings::SurfaceStyle::solid, "Solid", "Each widget keeps its designed dark or light card."},
    {ThemeSettings::SurfaceStyle::glass, "Glass", "Widgets become translucent glass over your wallpaper."},
    {ThemeSettings::SurfaceStyle::accent, "Accent", "Widgets fill with your accent color."},
}};

/// The description under the surface picker for `style`.
const char* surfaceDescription(ThemeSettings::SurfaceStyle style);

} // namespace plyx::ThemeOptions
