#pragma once
// Shapes: a path in a rectangle, drawn filled (by default in the foreground style),
// stroked along its outline or stroked inside its edge, optionally trimmed.
#include "platform/ui/ViewCore.h"

#include <QPainterPath>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <memory>

namespace plyx::ui {

enum class LineCap { butt, round, square };
enum class LineJoin { miter, round, bevel };

struct StrokeStyle {
    double lineWidth = 1;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    double miterLimit = 10;
};

/// A shape is a view (it fills itself with the foreground style) and can also be
/// filled, stroked or trimmed explicitly.
class Shape : public View {
public:
    using PathFunction = std::function<QPainterPath(const QRectF&)>;

    /// A shape of kind `kind` (its name in dumps) whose outline in a rectangle is `path`.
    Shape(std::string kind, PathFunction path);
    /// A shape whose outline in any rectangle lies within it and is decided by
    /// `outlineKey` (non-zero) and the rectangle: a redraw tells two such shapes
    /// apart without tracing them.
    Shape(std::string kind, PathFunction path, std::uint64_t outlineKey);

    /// The outline in `rect`, trimmed when a trim is set.
    QPainterPath path(const QRectF& rect) const;
    /// The part of the outline from `from` to `to` (fractions of its length, 0...1).
    Shape trim(double from, double to) const;

    /// The shape filled with `style`.
    View fill(const ShapeStyle& style) const;
    /// The outline stroked with `style`, centred on the edge.
    View stroke(const ShapeStyle& style, double lineWidth = 1, LineCap cap = LineCap::butt) const;
    View stroke(const ShapeStyle& style, const StrokeStyle& stroke) const;
    /// The outline stroked inside the edge, so the stroke stays within the frame.
    View strokeBorder(const ShapeStyle& style, double lineWidth = 1, LineCap cap = LineCap::butt) const;
    View strokeBorder(const ShapeStyle& style, const StrokeStyle& stroke) const;

    const std::string& kind() const { return kind_; }

private:
    View styled(int mode, const ShapeStyle& style, const StrokeStyle& stroke) const;

    std::string kind_;
    PathFunction pathFn_;
    /// The outline as drawn (trimmed), shared by every view made of this shape.
    std::shared_ptr<const PathFunction> trimmed_;
    std::uint64_t outlineKey_ = 0;
    double trimFrom_ = 0, trimTo_ = 1;
};

/// The whole rectangle.
Shape Rectangle();
/// A rectangle with circular corners of `cornerRadius` points.
Shape RoundedRectangle(double cornerRadius);
/// The largest circle centred in the rectangle; its outline starts at the right and runs clockwise.
Shape Circle();
/// A rounded rectangle whose corner radius is half its shorter side.
Shape Capsule();
/// A custom shape from a function of the rectangle.
Shape Path(Shape::PathFunction path);

} // namespace plyx::ui
