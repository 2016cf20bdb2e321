#pragma once
// Texts held to a length where they are read: a name or preview someone stored
// or configured can be of any size, and everything after a few hundred
// characters would only be measured and cut again by the view that shows it.
#include <cstddef>
#include <string>
#include <string_view>

namespace plyx::text {

/// Names (habits, countdowns): far more than a widget line shows.
inline constexpr std::size_t kMaxNameLength = 256;
/// Previews and note texts shown in widgets: more than the largest widget holds.
inline constexpr std::size_t kMaxShownTextLength = 2048;

/// `s` (UTF-8) cut to at most `maxCharacters` user-perceived characters,
/// between two of them, ending in "…" when anything was cut.
std::string heldToLength(std::string_view s, std::size_t maxCharacters);

} // namespace plyx::text
