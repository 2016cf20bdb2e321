#pragma once
// Converting doubles to 64-bit integers without undefined behaviour. A double
// outside [-2^63, 2^63) (or NaN) has no integer value, and a plain cast of one
// is undefined; stored records and live readings can hold any double, so every
// conversion goes through one of these. Numbers in stored and exchanged
// texts are read here too, with a full stop whatever the process's locale.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace plyx::num {

/// 2^63, the first double past the largest signed 64-bit integer; -2^63 is
/// the smallest one and is exact as a double.
inline constexpr double kBeyondInt64 = 9223372036854775808.0;
/// 2^64, the first double past the largest unsigned 64-bit integer.
inline constexpr double kBeyondUInt64 = 18446744073709551616.0;

/// Whether `v` is finite and its integer part fits a signed 64-bit integer.
inline bool fitsInt64(double v) { return v >= -kBeyondInt64 && v < kBeyondInt64; }

/// The integer part of `v` (truncated toward zero); nothing when it does not fit.
inline std::optional<std::int64_t> truncatedInt64(double v) {
    if (!fitsInt64(v)) return std::nullopt;
    return static_cast<std::int64_t>(v);
}

/// `v` as an integer only when it is whole and fits (34.0 gives 34, 34.5 nothing).
inline std::optional<std::int64_t> exactInt64(double v) {
    if (!fitsInt64(v) || std::trunc(v) != v) return std::nullopt;
    return static_cast<std::int64_t>(v);
}

/// `v` as an unsigned integer only when it is whole, not negative and fits.
inline std::optional<std::uint64_t> exactUInt64(double v) {
    if (!(v >= 0 && v < kBeyondUInt64) || std::trunc(v) != v) return std::nullopt;
    return static_cast<std::uint64_t>(v);
}

/// The integer part of `v`, held at the ends of the 64-bit range; NaN gives 0.
inline std::int64_t saturatedInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= kBeyondInt64) return std::numeric_limits<std::int64_t>::max();
    if (v < -kBeyondInt64) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

/// The nearest integer with halves away from zero, held at the ends of the
/// 64-bit range; NaN gives 0.
inline std::int64_t roundHalfAway(double v) { return saturatedInt64(std::round(v)); }

/// A whole text as a decimal number ("245.9", "-3", "+1e3", "inf") written
/// with a full stop, read the same in every locale: strtod would want a comma
/// under de_DE and stop at the point. Nothing when any of the text (a blank
/// included) is not part of the number.
inline std::optional<double> parseDecimal(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || at != end) return std::nullopt;
    return v;
}

} // namespace plyx::num
