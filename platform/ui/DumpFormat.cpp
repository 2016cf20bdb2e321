// The text forms of numbers, colours and styles in dumps.
#include "platform/ui/Element.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace plyx::ui::detail {

std::string formatNumber(double v) {
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    if (std::isnan(v)) return "nan";
    double r = std::round(v * 100) / 100;
    if (r == 0) r = 0; // no "-0"
    // Two decimals with a full stop in every locale: dumps are compared as text.
    char buf[320]; // room for the largest double written out in full
    const auto res = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, 2);
    std::string s(buf, res.ptr);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string formatColor(const Color& c) {
    auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X%02X", byte(c.r), byte(c.g), byte(c.b), byte(c.a));
    return buf;
}

namespace {
std::string describeStops(const Gradient& g) {
    std::string s;
    for (const auto& stop : g.stops) {
        if (!s.empty()) s += ",";
        s += formatColor(stop.color) + "@" + formatNumber(stop.location);
    }
    return s;
}
} // namespace

std::string describeStyle(const ShapeStyle& style) {
    if (auto c = std::get_if<Color>(&style)) return formatColor(*c);
    if (auto g = std::get_if<LinearGradient>(&style)) return "linear(" + describeStops(g->gradient) + ")";
    if (auto g = std::get_if<RadialGradient>(&style)) return "radial(" + describeStops(g->gradient) + ")";
    if (auto g = std::get_if<AngularGradient>(&style)) return "angular(" + describeStops(g->gradient) + ")";
    return "material(ultraThin)";
}

} // namespace plyx::ui::detail
