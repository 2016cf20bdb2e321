#pragma once
// An sRGB colour with straight (not premultiplied) alpha, components 0...1.
#include <compare>

namespace plyx::ui {

struct Color {
    double r = 0, g = 0, b = 0, a = 1;

    static constexpr Color rgb(double r, double g, double b, double a = 1) { return {r, g, b, a}; }
    /// A grey given as n/255.
    static constexpr Color grey255(double n, double a = 1) { return {n / 255.0, n / 255.0, n / 255.0, a}; }
    /// The same colour with its opacity multiplied by `o` (palette opacities multiply).
    constexpr Color opacity(double o) const { return {r, g, b, a * o}; }

    static constexpr Color clear() { return {0, 0, 0, 0}; }
    static constexpr Color white() { return {1, 1, 1, 1}; }
    static constexpr Color black() { return {0, 0, 0, 1}; }

    constexpr bool operator==(const Color&) const = default;
};

} // namespace plyx::ui
