// Shapes: outlines in a rectangle, filled or stroked, optionally trimmed.
#include "platform/ui/Element.h"

#include <QPolygonF>
#include <cmath>

namespace plyx::ui::detail {

namespace {

enum class Paint { foreground, fill, stroke, strokeBorder };

struct ShapeNode final : Node {
    std::string kind;
    Shape::PathFunction path;
    std::pair<double, double> trim{0, 1};
    Paint paint = Paint::foreground;
    ShapeStyle style;
    StrokeStyle stroke;
    ElementPtr build(const BuildContext& ctx) const override;
};

Qt::PenCapStyle qtCap(LineCap c) {
    switch (c) {
    case LineCap::butt: return Qt::FlatCap;
    case LineCap::round: return Qt::RoundCap;
    case LineCap::square: return Qt::SquareCap;
    }
    return Qt::FlatCap;
}

Qt::PenJoinStyle qtJoin(LineJoin j) {
    switch (j) {
    case LineJoin::miter: return Qt::SvgMiterJoin;
    case LineJoin::round: return Qt::RoundJoin;
    case LineJoin::bevel: return Qt::BevelJoin;
    }
    return Qt::SvgMiterJoin;
}

class ShapeElement final : public Element {
public:
    ShapeElement(const ShapeNode& n, ShapeStyle style)
        : kind_(n.kind), path_(n.path), paint_(n.paint), style_(std::move(style)), stroke_(n.stroke),
          trim_(n.trim) {}

    const char* kind() const override { return kind_.c_str(); }
    void dumpAttributes(std::string& out) const override {
        if (paint_ == Paint::stroke || paint_ == Paint::strokeBorder) {
            out += paint_ == Paint::stroke ? " stroke=" : " strokeBorder=";
            out += describeStyle(style_) + " width=" + formatNumber(stroke_.lineWidth);
            if (stroke_.lineCap == LineCap::round) out += " cap=round";
            if (stroke_.lineCap == LineCap::square) out += " cap=square";
        } else {
            out += " fill=" + describeStyle(style_);
        }
        if (trim_.first != 0 || trim_.second != 1)
            out += " trim=" + formatNumber(trim_.first) + "," + formatNumber(trim_.second);
    }
    void draw(DrawContext& dc) const override {
        QPainter& p = dc.painter;
        QRectF rect(frame_.x, frame_.y, frame_.width, frame_.height);
        if (paint_ == Paint::strokeBorder) {
            const double inset = stroke_.lineWidth / 2;
            rect = rect.adjusted(inset, inset, -inset, -inset);
        }
        if (rect.width() < 0 || rect.height() < 0 || !path_) return;
        const QPainterPath path = path_(rect);
        p.save();
        const QRectF styleRect(frame_.x, frame_.y, frame_.width, frame_.height);
        if (paint_ == Paint::stroke || paint_ == Paint::strokeBorder) {
            QPen pen(toBrush(style_, styleRect), stroke_.lineWidth, Qt::SolidLine, qtCap(stroke_.lineCap),
                     qtJoin(stroke_.lineJoin));
            pen.setMiterLimit(stroke_.miterLimit);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(toBrush(style_, styleRect));
        }
        p.drawPath(path);
        p.restore();
    }

protected:
    Size measure(ProposedSize p) override { return {takeOffered(p.width), takeOffered(p.height)}; }

private:
    std::string kind_;
    Shape::PathFunction path_;
    Paint paint_;
    ShapeStyle style_;
    StrokeStyle stroke_;
    std::pair<double, double> trim_;
};

ElementPtr ShapeNode::build(const BuildContext& ctx) const {
    return std::make_unique<ShapeElement>(*this, paint == Paint::foreground ? ctx.foreground : style);
}

/// The part of `path` from `from` to `to` of its length, as open polylines.
QPainterPath trimPath(const QPainterPath& path, double from, double to) {
    from = std::clamp(from, 0.0, 1.0);
    to = std::clamp(to, 0.0, 1.0);
    if (to <= from) return {};
    if (from <= 0 && to >= 1) return path;
    // Flatten at 8x so curves stay smooth however far the drawing is scaled up.
    constexpr double k = 8;
    const auto polygons = (QTransform::fromScale(k, k).map(path)).toSubpathPolygons();
    double total = 0;
    for (const auto& poly : polygons)
        for (int i = 1; i < poly.size(); ++i) total += QLineF(poly[i - 1], poly[i]).length();
    if (total <= 0) return {};
    const double start = from * total, end = to * total;
    QPainterPath out;
    double walked = 0;
    for (const auto& poly : polygons) {
        bool open = false;
        for (int i = 1; i < poly.size(); ++i) {
            const QLineF seg(poly[i - 1], poly[i]);
            const double len = seg.length();
            const double a = walked, b = walked + len;
            walked = b;
            if (b <= start || a >= end || len <= 0) {
                if (a >= end) break;
                continue;
            }
            const QPointF p0 = seg.pointAt(std::max(0.0, (start - a) / len)) / k;
            const QPointF p1 = seg.pointAt(std::min(1.0, (end - a) / len)) / k;
            if (!open) {
                out.moveTo(p0);
                open = true;
            }
            out.lineTo(p1);
        }
    }
    return out;
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

using detail::Paint;

Shape::Shape(std::string kind, PathFunction path) : kind_(std::move(kind)), pathFn_(std::move(path)) {
    node_ = styled(int(Paint::foreground), Color::black(), StrokeStyle{}).node();
}

QPainterPath Shape::path(const QRectF& rect) const {
    if (!pathFn_) return {};
    const QPainterPath full = pathFn_(rect);
    if (trimFrom_ <= 0 && trimTo_ >= 1) return full;
    return detail::trimPath(full, trimFrom_, trimTo_);
}

Shape Shape::trim(double from, double to) const {
    Shape s = *this;
    s.trimFrom_ = from;
    s.trimTo_ = to;
    s.node_ = s.styled(int(Paint::foreground), Color::black(), StrokeStyle{}).node();
    return s;
}

View Shape::styled(int mode, const ShapeStyle& style, const StrokeStyle& stroke) const {
    auto n = std::make_shared<detail::ShapeNode>();
    n->kind = kind_;
    n->trim = {trimFrom_, trimTo_};
    n->path = [fn = pathFn_, from = trimFrom_, to = trimTo_](const QRectF& r) -> QPainterPath {
        if (!fn) return {};
        if (from <= 0 && to >= 1) return fn(r);
        return detail::trimPath(fn(r), from, to);
    };
    n->paint = Paint(mode);
    n->style = style;
    n->stroke = stroke;
    return View(n);
}

View Shape::fill(const ShapeStyle& style) const { return styled(int(Paint::fill), style, {}); }

View Shape::stroke(const ShapeStyle& style, double lineWidth, LineCap cap) const {
    return styled(int(Paint::stroke), style, StrokeStyle{lineWidth, cap});
}
View Shape::stroke(const ShapeStyle& style, const StrokeStyle& stroke) const {
    return styled(int(Paint::stroke), style, stroke);
}
View Shape::strokeBorder(const ShapeStyle& style, double lineWidth, LineCap cap) const {
    return styled(int(Paint::strokeBorder), style, StrokeStyle{lineWidth, cap});
}
View Shape::strokeBorder(const ShapeStyle& style, const StrokeStyle& stroke) const {
    return styled(int(Paint::strokeBorder), style, stroke);
}

Shape Rectangle() {
    return Shape("Rectangle", [](const QRectF& r) {
        QPainterPath p;
        p.addRect(r);
        return p;
    });
}

Shape RoundedRectangle(double cornerRadius) {
    return Shape("RoundedRectangle", [cornerRadius](const QRectF& r) {
        QPainterPath p;
        const double radius = std::clamp(cornerRadius, 0.0, std::min(r.width(), r.height()) / 2);
        p.addRoundedRect(r, radius, radius);
        return p;
    });
}

Shape Circle() {
    return Shape("Circle", [](const QRectF& r) {
        const double d = std::min(r.width(), r.height());
        const QRectF box(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
        // From the rightmost point, clockwise on screen (Qt's positive angles run the other way).
        QPainterPath p(QPointF(box.right(), box.center().y()));
        p.arcTo(box, 0, -360);
        p.closeSubpath();
        return p;
    });
}

Shape Capsule() {
    return Shape("Capsule", [](const QRectF& r) {
        QPainterPath p;
        const double radius = std::min(r.width(), r.height()) / 2;
        p.addRoundedRect(r, radius, radius);
        return p;
    });
}

Shape Path(Shape::PathFunction path) { return Shape("Path", std::move(path)); }

} // namespace plyx::ui
