#pragma once
// Points, sizes, rectangles, alignments and edges of the view layer.
// Lengths are in points; the device-pixel ratio is applied only when drawing.
#include <limits>
#include <optional>

namespace plyx::ui {

/// "As large as offered": the value a flexible frame uses to fill its parent.
inline constexpr double infinity = std::numeric_limits<double>::infinity();

/// A point, y growing downwards.
struct Point {
    double x = 0, y = 0;
    constexpr bool operator==(const Point&) const = default;
};

/// A width and a height in points.
struct Size {
    double width = 0, height = 0;
    constexpr bool operator==(const Size&) const = default;
};

/// A rectangle by its top-left corner and size.
struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    constexpr double maxX() const { return x + width; }
    constexpr double maxY() const { return y + height; }
    constexpr Size size() const { return {width, height}; }
    constexpr bool contains(Point p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
    constexpr bool operator==(const Rect&) const = default;
};

/// A size a parent offers a child; a missing dimension asks for the child's ideal size.
struct ProposedSize {
    std::optional<double> width, height;
};

/// A point in a view's own unit square (0,0 top-left, 1,1 bottom-right).
struct UnitPoint {
    double x = 0.5, y = 0.5;
    static constexpr UnitPoint zero() { return {0, 0}; }
    static constexpr UnitPoint center() { return {0.5, 0.5}; }
    static constexpr UnitPoint top() { return {0.5, 0}; }
    static constexpr UnitPoint bottom() { return {0.5, 1}; }
    static constexpr UnitPoint leading() { return {0, 0.5}; }
    static constexpr UnitPoint trailing() { return {1, 0.5}; }
    static constexpr UnitPoint topLeading() { return {0, 0}; }
    static constexpr UnitPoint topTrailing() { return {1, 0}; }
    static constexpr UnitPoint bottomLeading() { return {0, 1}; }
    static constexpr UnitPoint bottomTrailing() { return {1, 1}; }
    constexpr bool operator==(const UnitPoint&) const = default;
};

/// Where children line up across a vertical stack or within a frame.
enum class HorizontalAlignment { leading, center, trailing };

/// Where children line up across a horizontal stack or within a frame; the baseline
/// guides line texts up by their first or last line (a view without text uses its bottom).
enum class VerticalAlignment { top, center, bottom, firstTextBaseline, lastTextBaseline };

/// A two-axis alignment for frames, overlays, backgrounds and layered stacks.
struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;

    static const Alignment center, leading, trailing, top, bottom, topLeading, topTrailing, bottomLeading,
        bottomTrailing;
    constexpr bool operator==(const Alignment&) const = default;
};
inline constexpr Alignment Alignment::center{HorizontalAlignment::center, VerticalAlignment::center};
inline constexpr Alignment Alignment::leading{HorizontalAlignment::leading, VerticalAlignment::center};
inline constexpr Alignment Alignment::trailing{HorizontalAlignment::trailing, VerticalAlignment::center};
inline constexpr Alignment Alignment::top{HorizontalAlignment::center, VerticalAlignment::top};
inline constexpr Alignment Alignment::bottom{HorizontalAlignment::center, VerticalAlignment::bottom};
inline constexpr Alignment Alignment::topLeading{HorizontalAlignment::leading, VerticalAlignment::top};
inline constexpr Alignment Alignment::topTrailing{HorizontalAlignment::trailing, VerticalAlignment::top};
inline constexpr Alignment Alignment::bottomLeading{HorizontalAlignment::leading, VerticalAlignment::bottom};
inline constexpr Alignment Alignment::bottomTrailing{HorizontalAlignment::trailing, VerticalAlignment::bottom};

/// A set of edges, combinable with `|`.
enum class Edges : unsigned {
    top = 1,
    leading = 2,
    bottom = 4,
    trailing = 8,
    horizontal = 2 | 8,
    vertical = 1 | 4,
    all = 15,
};
constexpr Edges operator|(Edges a, Edges b) { return Edges(unsigned(a) | unsigned(b)); }
constexpr bool contains(Edges set, Edges e) { return (unsigned(set) & unsigned(e)) == unsigned(e); }

/// Insets per edge.
struct EdgeInsets {
    double top = 0, leading = 0, bottom = 0, trailing = 0;
    constexpr bool operator==(const EdgeInsets&) const = default;
};

} // namespace plyx::ui
