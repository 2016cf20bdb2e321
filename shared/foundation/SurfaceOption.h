#pragma once
// The background a user picks for one widget instance: the theme's app-wide
// background, or a solid, glass or accent background for this widget alone.
// Configuration intents carry it as a parameter titled "Background" whose
// default is `followApp`; providers copy it into every entry.
#include "platform/coding/Coding.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace plyx {

enum class SurfaceOption { followApp, solid, glass, accent };

namespace SurfaceOptionInfo {
/// Every case, in the order the configuration sheet lists them.
inline constexpr std::array<SurfaceOption, 4> allCases{SurfaceOption::followApp, SurfaceOption::solid,
                                                       SurfaceOption::glass, SurfaceOption::accent};
/// The type's display text, also the title of the intents' parameter.
inline constexpr const char* typeDisplayText = "Background";
/// The parameter's default: a widget whose configuration was never edited follows the theme.
inline constexpr SurfaceOption defaultValue = SurfaceOption::followApp;

/// "followApp", "solid", "glass", "accent".
std::string_view rawValue(SurfaceOption s);
/// The case of a raw value; any other text (case differences included) gives none.
std::optional<SurfaceOption> fromRawValue(std::string_view raw);
/// The text the configuration sheet shows for a case.
std::string_view displayText(SurfaceOption s);
} // namespace SurfaceOptionInfo

/// Stored and intent-bag form: the raw value as a JSON string.
void encodeJSON(coding::Json& j, const SurfaceOption& s);
void decodeJSON(const coding::Json& j, SurfaceOption& s);

} // namespace plyx
