#pragma once
// What fills a shape or colours a text: a colour, a gradient or the material.
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <variant>
#include <vector>

namespace plyx::ui {

/// A gradient's colour at a location 0...1.
struct GradientStop {
    Color color{};
    double location = 0;
    bool operator==(const GradientStop&) const = default;
};

/// Colour stops in order of location.
struct Gradient {
    std::vector<GradientStop> stops{};
    /// Evenly spaced stops (the first at 0, the last at 1).
    static Gradient evenly(const std::vector<Color>& colors);
    bool operator==(const Gradient&) const = default;
};

/// A gradient along the line from `startPoint` to `endPoint` of the filled rectangle.
struct LinearGradient {
    Gradient gradient{};
    UnitPoint startPoint = UnitPoint::top();
    UnitPoint endPoint = UnitPoint::bottom();
    bool operator==(const LinearGradient&) const = default;
};

/// A gradient in circles around `center`, from `startRadius` to `endRadius` points.
struct RadialGradient {
    Gradient gradient{};
    UnitPoint center = UnitPoint::center();
    double startRadius = 0;
    double endRadius = 100;
    bool operator==(const RadialGradient&) const = default;
};

/// A gradient around `center`, clockwise from `startAngle` to `endAngle` (degrees, 0 = pointing right).
struct AngularGradient {
    Gradient gradient{};
    UnitPoint center = UnitPoint::center();
    double startAngle = 0;
    double endAngle = 360;
    bool operator==(const AngularGradient&) const = default;
};

/// The translucent materials. Real background blur is not drawn here: a material is a
/// translucent neutral fill.
enum class Material { ultraThin };

/// Anything a shape can be filled or stroked with, and a text drawn in.
using ShapeStyle = std::variant<Color, LinearGradient, RadialGradient, AngularGradient, Material>;

/// The translucent colour that stands in for a material.
Color materialColor(Material m);

} // namespace plyx::ui
