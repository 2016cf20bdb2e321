#include "shared/foundation/PlyxTokens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plyx {
namespace {

// Length in bytes of the white-space or line-break character at the start of
// `s`, or 0. Covers ASCII blanks and the Unicode spaces and separators.
std::size_t leadingSpaceLength(std::string_view s) {
    if (s.empty()) return 0;
    const auto c0 = static_cast<unsigned char>(s[0]);
    if (c0 == ' ' || (c0 >= 0x09 && c0 <= 0x0D)) return 1;
    auto is = [&](std::string_view seq) { return s.substr(0, seq.size()) == seq; };
    if (is("\xC2\x85") || is("\xC2\xA0")) return 2;  // NEL, no-break space
    if (is("\xE1\x9A\x80")) return 3;                 // ogham space mark
    if (s.size() >= 3 && c0 == 0xE2 && static_cast<unsigned char>(s[1]) == 0x80) {
        const auto c2 = static_cast<unsigned char>(s[2]);
        if ((c2 >= 0x80 && c2 <= 0x8A) || c2 == 0xA8 || c2 == 0xA9 || c2 == 0xAF) return 3;
    }
    if (is("\xE2\x81\x9F") || is("\xE3\x80\x80")) return 3;  // medium maths space, ideographic space
    return 0;
}

std::size_t trailingSpaceLength(std::string_view s) {
    for (std::size_t n : {1u, 2u, 3u})
        if (s.size() >= n && leadingSpaceLength(s.substr(s.size() - n)) == n) return n;
    return 0;
}

std::string_view trim(std::string_view s) {
    while (std::size_t n = leadingSpaceLength(s)) s.remove_prefix(n);
    while (std::size_t n = trailingSpaceLength(s)) s.remove_suffix(n);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an unsigned base-16 number the way a general integer parser does:
// an optional sign, then at least one digit; a negative value other than
// zero does not fit an unsigned number.
std::optional<std::uint32_t> parseUnsignedHex(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    if (negative && v != 0) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

int component255(double c) {
    if (!std::isfinite(c)) c = 0;
    return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255.0));
}

} // namespace

std::optional<ui::Color> colorFromHexString(std::string_view text) {
    std::string_view s = trim(text);
    if (!s.empty() && s[0] == '#') s.remove_prefix(1);
    if (s.size() != 6) return std::nullopt;
    const auto v = parseUnsignedHex(s);
    if (!v) return std::nullopt;
    return ui::Color::rgb(((*v >> 16) & 0xFF) / 255.0, ((*v >> 8) & 0xFF) / 255.0, (*v & 0xFF) / 255.0);
}

std::string hexString(const ui::Color& c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", component255(c.r), component255(c.g), component255(c.b));
    return buf;
}

ui::Color brightened(const ui::Color& c, double amount) {
    auto up = [amount](double x) { return std::min(x + (1 - x) * amount, 1.0); };
    return ui::Color::rgb(up(c.r), up(c.g), up(c.b));
}

bool isLightAccent(const ui::Color& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b > 0.62; }

} // namespace plyx
