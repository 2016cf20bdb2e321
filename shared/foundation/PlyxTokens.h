#pragma once
// The fixed colours of the design (the ink and paper of the solid
// backgrounds and the five named accents) and the colour helpers the theme
// needs: reading and writing "#RRGGBB", brightening, and the light-accent test.
#include "platform/ui/Color.h"

#include <optional>
#include <string>
#include <string_view>

namespace plyx {

namespace PlyxTokens {
inline constexpr ui::Color ink = ui::Color::grey255(22);
inline constexpr ui::Color paper = ui::Color::white();
inline constexpr ui::Color nothingRed = ui::Color::rgb(215 / 255.0, 25 / 255.0, 33 / 255.0);
inline constexpr ui::Color blue = ui::Color::rgb(10 / 255.0, 132 / 255.0, 255 / 255.0);
inline constexpr ui::Color orange = ui::Color::rgb(255 / 255.0, 159 / 255.0, 10 / 255.0);
inline constexpr ui::Color purple = ui::Color::rgb(191 / 255.0, 90 / 255.0, 242 / 255.0);
inline constexpr ui::Color green = ui::Color::rgb(48 / 255.0, 209 / 255.0, 88 / 255.0);
} // namespace PlyxTokens

/// A colour from a hexadecimal text, or none. Blanks and newlines around the
/// text are trimmed and one leading "#" is dropped; what remains must be six
/// characters that read as one unsigned number in base 16. The reader is as
/// lenient as a general integer parser: a leading "+" with five digits reads,
/// and a leading "-" reads only when the five digits are all zero (giving black).
std::optional<ui::Color> colorFromHexString(std::string_view text);

/// "#RRGGBB" in upper case, each component times 255 rounded half away from
/// zero; components outside 0...1 are held to that range so the text always
/// reads back. The opacity is not written.
std::string hexString(const ui::Color& c);

/// The colour moved towards white by `amount` (0...1); always opaque.
ui::Color brightened(const ui::Color& c, double amount);

/// Whether dark ink is needed on top of this colour: luma 0.299 r + 0.587 g +
/// 0.114 b strictly above 0.62.
bool isLightAccent(const ui::Color& c);

} // namespace plyx
