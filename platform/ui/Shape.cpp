// Shapes: outlines in a rectangle, filled or stroked, optionally trimmed.
#include "platform/ui/CacheKey.h"
#include "platform/ui/Element.h"

#include <array>
#include <cmath>
#include <unordered_map>

namespace plyx::ui::detail {

namespace {

/// What decides a dot sprite's pixels: its diameter in eighths of a device
/// pixel, its offset in quarters, its colour and the device-pixel ratio.
struct SpriteKey {
    std::int32_t diameter8 = 0;
    std::int32_t offsetX4 = 0, offsetY4 = 0;
    std::uint32_t rgba = 0;
    std::int32_t ratio = 0;
    bool operator==(const SpriteKey&) const = default;
};

struct SpriteKeyHash {
    std::size_t operator()(const SpriteKey& k) const noexcept {
        std::size_t h = std::hash<std::uint64_t>{}(std::uint64_t(k.rgba) << 32 | std::uint32_t(k.diameter8));
        return hashCombine(h, std::size_t(k.offsetX4) << 40 | std::size_t(k.offsetY4) << 32 | std::uint32_t(k.ratio));
    }
};

enum class Paint { foreground, fill, stroke, strokeBorder };

struct ShapeNode final : Node {
    std::string kind;
    /// Shared with the elements built from it: copying the function would allocate.
    std::shared_ptr<const Shape::PathFunction> path;
    /// Stands for the outline of a built-in shape; 0 for a custom one.
    std::uint64_t outline = 0;
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
        : kind_(n.kind), path_(n.path), outline_(n.outline), paint_(n.paint), style_(std::move(style)),
          stroke_(n.stroke), trim_(n.trim) {}

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
        if (rect.width() < 0 || rect.height() < 0 || !path_ || !*path_) return;
        const bool stroked = paint_ == Paint::stroke || paint_ == Paint::strokeBorder;
        // A stroke of no width draws nothing (the painter would draw a hairline).
        if (stroked && !(stroke_.lineWidth > 0 && std::isfinite(stroke_.lineWidth))) return;
        // A custom outline is traced to be told apart from another; a built-in
        // one is known by its kind and values, within its frame.
        std::optional<QPainterPath> traced;
        if (dc.damage) {
            std::uint64_t key = outline_;
            QRectF bounds(frame_.x, frame_.y, frame_.width, frame_.height);
            if (!outline_) {
                traced = (*path_)(rect);
                key = mixPath(0x9a7b, *traced);
                bounds = traced->controlPointRect();
            }
            for (const double v : {rect.x(), rect.y(), rect.width(), rect.height(), trim_.first, trim_.second,
                                   stroke_.lineWidth, stroke_.miterLimit})
                key = mixDouble(key, v);
            key = mix(key, std::uint64_t(paint_) << 16 | std::uint64_t(stroke_.lineCap) << 8 |
                               std::uint64_t(stroke_.lineJoin));
            key = mixStyle(key, style_);
            if (stroked) {
                // Half the pen outside the outline, more at sharp mitred corners.
                const double reach = stroke_.lineWidth / 2 *
                                     (stroke_.lineJoin == LineJoin::miter ? std::max(1.0, stroke_.miterLimit) : 1.5);
                bounds.adjust(-reach, -reach, reach, reach);
            }
            if (!dc.paints(bounds, key)) return;
        }
        if (drawDotSprite(p, rect)) return;
        const QPainterPath path = traced ? std::move(*traced) : (*path_)(rect);
        const QRectF styleRect(frame_.x, frame_.y, frame_.width, frame_.height);
        const ShapeStyle* style = &style_;
        ShapeStyle materialFill;
        if (const auto* m = std::get_if<Material>(&style_)) {
            materialFill = materialColor(*m);
            style = &materialFill;
        }
        const auto* color = std::get_if<Color>(style);
        if (color && color->a > 0 && color->a < 1) {
            // The raster engine blends a translucent solid colour far more slowly than it
            // draws an image with an opacity, so translucent shapes are drawn opaque into a
            // layer that is then laid down at the colour's opacity. The result is the same.
            const double margin = (paint_ == Paint::stroke || paint_ == Paint::strokeBorder) ? stroke_.lineWidth + 1 : 1;
            ShapeStyle opaque = Color{color->r, color->g, color->b, 1};
            p.save();
            p.setOpacity(p.opacity() * color->a);
            drawInLayer(p, path.controlPointRect().adjusted(-margin, -margin, margin, margin),
                        [&](QPainter& lp) { drawPath(lp, path, opaque, styleRect); }, nullptr);
            p.restore();
            return;
        }
        drawPath(p, path, *style, styleRect);
    }

    void drawPath(QPainter& p, const QPainterPath& path, const ShapeStyle& style, const QRectF& styleRect) const {
        p.save();
        if (paint_ == Paint::stroke || paint_ == Paint::strokeBorder) {
            QPen pen(toBrush(style, styleRect), stroke_.lineWidth, Qt::SolidLine, qtCap(stroke_.lineCap),
                     qtJoin(stroke_.lineJoin));
            pen.setMiterLimit(stroke_.miterLimit);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(toBrush(style, styleRect));
        }
        p.drawPath(path);
        p.restore();
    }

protected:
    Size measure(ProposedSize p) override { return {takeOffered(p.width), takeOffered(p.height)}; }

private:
    /// Small filled circles in one colour (the dots every widget is made of) are
    /// drawn from images made once per size, colour and quarter-pixel position:
    /// antialiased path filling costs several microseconds a dot.
    bool drawDotSprite(QPainter& p, const QRectF& rect) const {
        const auto* color = std::get_if<Color>(&style_);
        if (!color || paint_ != Paint::fill || kind_ != "Circle" || trim_.first != 0 || trim_.second != 1) return false;
        const QTransform& t = p.worldTransform();
        if (t.type() > QTransform::TxScale || !p.device() || p.compositionMode() != QPainter::CompositionMode_SourceOver)
            return false;
        const double dpr = p.device()->devicePixelRatioF();
        const double d = std::min(rect.width(), rect.height());
        const QRectF logical = t.mapRect(QRectF(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d));
        const QRectF device(logical.x() * dpr, logical.y() * dpr, logical.width() * dpr, logical.height() * dpr);
        if (device.width() > 48 || device.width() <= 0 || std::abs(device.width() - device.height()) > 1e-6)
            return false;
        const auto quantise = [](double v, double step) { return std::round(v / step) * step; };
        const double diameter = quantise(device.width(), 0.125);
        const double left = std::floor(device.x()), top = std::floor(device.y());
        const double fx = quantise(device.x() - left, 0.25), fy = quantise(device.y() - top, 0.25);

        thread_local std::unordered_map<SpriteKey, QImage, SpriteKeyHash> sprites;
        const SpriteKey key{std::int32_t(std::lround(diameter * 8)), std::int32_t(std::lround(fx * 4)),
                            std::int32_t(std::lround(fy * 4)), packedColor(*color), ratioKey(dpr)};
        auto it = sprites.find(key);
        if (it == sprites.end()) {
            if (sprites.size() > 1024) sprites.clear();
            const int side = int(std::ceil(diameter + 1)) + 2;
            QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
            sprite.fill(Qt::transparent);
            sprite.setDevicePixelRatio(dpr);
            {
                QPainter sp(&sprite);
                sp.setRenderHint(QPainter::Antialiasing);
                sp.setPen(Qt::NoPen);
                sp.setBrush(toQColor(*color));
                sp.scale(1 / dpr, 1 / dpr); // draw in device pixels
                sp.drawEllipse(QRectF(1 + fx, 1 + fy, diameter, diameter));
            }
            it = sprites.emplace(key, std::move(sprite)).first;
        }
        p.save();
        p.setWorldTransform(QTransform());
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawImage(QPointF((left - 1) / dpr, (top - 1) / dpr), it->second);
        p.restore();
        return true;
    }

    std::string kind_;
    std::shared_ptr<const Shape::PathFunction> path_;
    std::uint64_t outline_;
    Paint paint_;
    ShapeStyle style_;
    StrokeStyle stroke_;
    std::pair<double, double> trim_;
};

ElementPtr ShapeNode::build(const BuildContext& ctx) const {
    return std::make_unique<ShapeElement>(*this, paint == Paint::foreground ? ctx.foreground : style);
}

/// One piece of an outline: a line (c1 and c2 unused) or a cubic curve.
struct Segment {
    bool curve = false;
    bool startsSubpath = false;
    QPointF p0, c1, c2, p3;
    /// Cumulative lengths at evenly spaced parameters, for finding t by length.
    std::array<double, 17> lengths{};
    double length() const { return lengths.back(); }
};

QPointF cubicAt(const Segment& s, double t) {
    const double u = 1 - t;
    return u * u * u * s.p0 + 3 * u * u * t * s.c1 + 3 * u * t * t * s.c2 + t * t * t * s.p3;
}

/// The parameter of a curve at `len` along it.
double parameterAt(const Segment& s, double len) {
    if (!s.curve) return s.length() > 0 ? len / s.length() : 0;
    for (size_t i = 1; i < s.lengths.size(); ++i) {
        if (len <= s.lengths[i] || i + 1 == s.lengths.size()) {
            const double a = s.lengths[i - 1], b = s.lengths[i];
            const double f = b > a ? std::clamp((len - a) / (b - a), 0.0, 1.0) : 0;
            return (double(i - 1) + f) / double(s.lengths.size() - 1);
        }
    }
    return 1;
}

/// The part of a cubic between parameters t0 and t1, by de Casteljau splits.
void cubicPart(const Segment& s, double t0, double t1, QPointF out[4]) {
    auto split = [](const QPointF p[4], double t, QPointF left[4], QPointF right[4]) {
        const QPointF a = p[0] + (p[1] - p[0]) * t, b = p[1] + (p[2] - p[1]) * t, c = p[2] + (p[3] - p[2]) * t;
        const QPointF d = a + (b - a) * t, e = b + (c - b) * t;
        const QPointF f = d + (e - d) * t;
        if (left) { left[0] = p[0]; left[1] = a; left[2] = d; left[3] = f; }
        if (right) { right[0] = f; right[1] = e; right[2] = c; right[3] = p[3]; }
    };
    const QPointF all[4] = {s.p0, s.c1, s.c2, s.p3};
    QPointF head[4];
    split(all, t1, head, nullptr);
    if (t1 <= 0) {
        for (int i = 0; i < 4; ++i) out[i] = s.p0;
        return;
    }
    split(head, t0 / t1, nullptr, out);
}

/// The part of `path` from `from` to `to` of its length. Curves are cut exactly
/// (not flattened), so a trimmed ring strokes as smoothly as a whole one.
QPainterPath trimPath(const QPainterPath& path, double from, double to) {
    from = std::clamp(from, 0.0, 1.0);
    to = std::clamp(to, 0.0, 1.0);
    if (to <= from) return {};
    if (from <= 0 && to >= 1) return path;

    std::vector<Segment> segments;
    QPointF current;
    bool newSubpath = true;
    for (int i = 0; i < path.elementCount(); ++i) {
        const auto e = path.elementAt(i);
        if (e.isMoveTo()) {
            current = e;
            newSubpath = true;
            continue;
        }
        Segment seg;
        seg.startsSubpath = newSubpath;
        newSubpath = false;
        seg.p0 = current;
        if (e.isCurveTo() && i + 2 < path.elementCount()) {
            seg.curve = true;
            seg.c1 = e;
            seg.c2 = path.elementAt(i + 1);
            seg.p3 = path.elementAt(i + 2);
            i += 2;
            QPointF prev = seg.p0;
            for (size_t k = 1; k < seg.lengths.size(); ++k) {
                const QPointF p = cubicAt(seg, double(k) / double(seg.lengths.size() - 1));
                seg.lengths[k] = seg.lengths[k - 1] + QLineF(prev, p).length();
                prev = p;
            }
        } else {
            seg.p3 = e;
            seg.lengths.fill(0);
            seg.lengths.back() = QLineF(seg.p0, seg.p3).length();
        }
        current = seg.p3;
        segments.push_back(seg);
    }
    double total = 0;
    for (const auto& seg : segments) total += seg.length();
    if (total <= 0) return {};

    const double start = from * total, end = to * total;
    QPainterPath out;
    double walked = 0;
    bool open = false;
    for (const auto& seg : segments) {
        const double a = walked, b = walked + seg.length();
        walked = b;
        if (seg.startsSubpath) open = false;
        if (b <= start || seg.length() <= 0) continue;
        if (a >= end) break;
        const double t0 = parameterAt(seg, std::max(0.0, start - a));
        const double t1 = parameterAt(seg, std::min(seg.length(), end - a));
        if (!seg.curve) {
            const QPointF p0 = seg.p0 + (seg.p3 - seg.p0) * t0, p1 = seg.p0 + (seg.p3 - seg.p0) * t1;
            if (!open) out.moveTo(p0);
            out.lineTo(p1);
        } else {
            QPointF part[4];
            cubicPart(seg, t0, t1, part);
            if (!open) out.moveTo(part[0]);
            out.cubicTo(part[1], part[2], part[3]);
        }
        open = true;
    }
    return out;
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

using detail::Paint;

namespace {
/// The outline as drawn: `fn`, cut to the part from `from` to `to`.
std::shared_ptr<const Shape::PathFunction> trimmedPath(const Shape::PathFunction& fn, double from, double to) {
    if (from <= 0 && to >= 1) return std::make_shared<const Shape::PathFunction>(fn);
    return std::make_shared<const Shape::PathFunction>([fn, from, to](const QRectF& r) -> QPainterPath {
        if (!fn) return {};
        return detail::trimPath(fn(r), from, to);
    });
}
} // namespace

Shape::Shape(std::string kind, PathFunction path) : Shape(std::move(kind), std::move(path), 0) {}

Shape::Shape(std::string kind, PathFunction path, std::uint64_t outlineKey)
    : kind_(std::move(kind)), pathFn_(std::move(path)), outlineKey_(outlineKey) {
    trimmed_ = trimmedPath(pathFn_, trimFrom_, trimTo_);
    node_ = styled(int(Paint::foreground), Color::black(), StrokeStyle{}).node();
}

QPainterPath Shape::path(const QRectF& rect) const {
    if (!pathFn_) return {};
    const QPainterPath full = pathFn_(rect);
    if (trimFrom_ <= 0 && trimTo_ >= 1) return full;
    return detail::trimPath(full, trimFrom_, trimTo_);
}

Shape Shape::trim(double from, double to) const {
    // A trim end that is not a number trims everything away.
    if (!std::isfinite(from) || !std::isfinite(to)) from = to = 0;
    Shape s = *this;
    s.trimFrom_ = from;
    s.trimTo_ = to;
    s.trimmed_ = trimmedPath(s.pathFn_, from, to);
    s.node_ = s.styled(int(Paint::foreground), Color::black(), StrokeStyle{}).node();
    return s;
}

View Shape::styled(int mode, const ShapeStyle& style, const StrokeStyle& stroke) const {
    auto n = std::make_shared<detail::ShapeNode>();
    n->kind = kind_;
    n->outline = outlineKey_;
    n->trim = {trimFrom_, trimTo_};
    n->path = trimmed_;
    n->paint = Paint(mode);
    n->style = style;
    n->stroke = stroke;
    // A width that is not a positive number strokes nothing.
    n->stroke.lineWidth = std::max(0.0, detail::finiteOr(stroke.lineWidth, 0));
    n->stroke.miterLimit = detail::finiteOr(stroke.miterLimit, 10);
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

namespace {
/// Built-in outlines lie within their rectangle and are known by kind and values.
std::uint64_t outlineKey(std::string_view kind) { return detail::mixText(0x5a4e, kind) | 1; }
} // namespace

Shape Rectangle() {
    return Shape(
        "Rectangle",
        [](const QRectF& r) {
            QPainterPath p;
            p.addRect(r);
            return p;
        },
        outlineKey("Rectangle"));
}

Shape RoundedRectangle(double cornerRadius) {
    return Shape(
        "RoundedRectangle",
        [cornerRadius](const QRectF& r) {
            QPainterPath p;
            const double radius = std::clamp(cornerRadius, 0.0, std::min(r.width(), r.height()) / 2);
            p.addRoundedRect(r, radius, radius);
            return p;
        },
        detail::mixDouble(outlineKey("RoundedRectangle"), cornerRadius));
}

Shape Circle() {
    return Shape(
        "Circle",
        [](const QRectF& r) {
            const double d = std::min(r.width(), r.height());
            const QRectF box(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
            // From the rightmost point, clockwise on screen (Qt's positive angles run the other way).
            QPainterPath p(QPointF(box.right(), box.center().y()));
            p.arcTo(box, 0, -360);
            p.closeSubpath();
            return p;
        },
        outlineKey("Circle"));
}

Shape Capsule() {
    return Shape(
        "Capsule",
        [](const QRectF& r) {
            QPainterPath p;
            const double radius = std::min(r.width(), r.height()) / 2;
            p.addRoundedRect(r, radius, radius);
            return p;
        },
        outlineKey("Capsule"));
}

Shape Path(Shape::PathFunction path) { return Shape("Path", std::move(path)); }

} // namespace plyx::ui
