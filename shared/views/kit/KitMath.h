#pragma once
// Small numeric guards shared by the dot views: amounts arrive from stored
// snapshots and live readings, so a NaN or an out-of-range value must draw
// something sensible rather than reach an integer conversion.
#include <algorithm>
#include <cmath>

namespace plyx::kit {

/// `v` held to 0...1; a value that is not finite counts as 0.
inline double unitFraction(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }

/// Rounds half away from zero into an int, saturating at `limit` (and at
/// -limit); not-a-number gives 0.
inline int roundedCount(double v, int limit) {
    if (std::isnan(v)) return 0;
    const double r = std::round(v);
    if (r >= limit) return limit;
    if (r <= -limit) return -limit;
    return static_cast<int>(r);
}

/// Whether a length can divide: positive and finite.
inline bool isUsableLength(double v) { return std::isfinite(v) && v > 0; }

/// A length to lay out with: `v` when finite and not negative, else 0.
inline double safeLength(double v) { return std::isfinite(v) && v > 0 ? v : 0.0; }

/// A spacing to lay out with: `v` when finite (negative spacings overlap), else 0.
inline double safeSpacing(double v) { return std::isfinite(v) ? v : 0.0; }

/// The most dots one row or column draws; beyond this a degenerate pitch
/// would only burn time and memory.
inline constexpr int kMaxDots = 4096;

} // namespace plyx::kit
