#pragma once
// Keys of the images the renderer keeps (dot sprites, tinted symbols): the
// values that decide an image's pixels, compared and hashed as numbers, so a
// lookup costs a few integer operations, not formatted text.
#include "platform/ui/Color.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace plyx::ui::detail {

/// A colour as the 8-bit channels it is drawn with, packed as 0xRRGGBBAA.
inline std::uint32_t packedColor(const Color& c) {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c.r) << 24 | byte(c.g) << 16 | byte(c.b) << 8 | byte(c.a);
}

/// A device-pixel ratio to the hundredth, the precision images are kept at.
inline std::int32_t ratioKey(double dpr) { return static_cast<std::int32_t>(std::lround(dpr * 100)); }

/// Folds `v` into the hash `h` (the boost combine).
inline std::size_t hashCombine(std::size_t h, std::size_t v) {
    return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

} // namespace plyx::ui::detail
