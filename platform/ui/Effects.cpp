// Drawing effects: offset, rotation, scale, opacity, clipping and masks. None of
// them moves anything in the layout; they change only how the subtree is drawn.
#include "platform/ui/Element.h"

#include <optional>

namespace plyx::ui::detail {

namespace {

enum class EffectKind { offset, rotation, scale, opacity };

struct EffectNode final : ModifierNode {
    EffectKind effect;
    double a = 0, b = 0;
    ElementPtr build(const BuildContext& ctx) const override;
};

class EffectElement final : public WrapperElement {
public:
    EffectElement(EffectKind k, double a, double b, ElementPtr child)
        : WrapperElement(std::move(child)), effect_(k), a_(a), b_(b) {}
    const char* kind() const override {
        switch (effect_) {
        case EffectKind::offset: return "offset";
        case EffectKind::rotation: return "rotation";
        case EffectKind::scale: return "scale";
        case EffectKind::opacity: return "opacity";
        }
        return "effect";
    }
    void dumpAttributes(std::string& out) const override {
        switch (effect_) {
        case EffectKind::offset: out += " by=" + formatNumber(a_) + "," + formatNumber(b_); break;
        case EffectKind::rotation: out += " degrees=" + formatNumber(a_); break;
        case EffectKind::scale: out += " by=" + formatNumber(a_) + "," + formatNumber(b_); break;
        case EffectKind::opacity: out += " value=" + formatNumber(a_); break;
        }
    }
    void draw(DrawContext& dc) const override {
        QPainter& p = dc.painter;
        p.save();
        const double cx = frame_.x + frame_.width / 2, cy = frame_.y + frame_.height / 2;
        switch (effect_) {
        case EffectKind::offset: p.translate(a_, b_); break;
        case EffectKind::rotation:
            p.translate(cx, cy);
            p.rotate(a_);
            p.translate(-cx, -cy);
            break;
        case EffectKind::scale:
            p.translate(cx, cy);
            p.scale(a_, b_);
            p.translate(-cx, -cy);
            break;
        case EffectKind::opacity: p.setOpacity(p.opacity() * std::clamp(a_, 0.0, 1.0)); break;
        }
        drawChildren(dc);
        p.restore();
    }

private:
    EffectKind effect_;
    double a_, b_;
};

ElementPtr EffectNode::build(const BuildContext& ctx) const {
    return std::make_unique<EffectElement>(effect, a, b, buildChild(child, ctx));
}

View effect(const View& child, EffectKind k, double a, double b = 0) {
    auto n = std::make_shared<EffectNode>();
    n->child = child;
    n->effect = k;
    n->a = a;
    n->b = b;
    return View(n);
}

// Clipping to a shape in the view's own frame.
struct ClipNode final : ModifierNode {
    std::optional<Shape> shape;
    ElementPtr build(const BuildContext& ctx) const override;
};

class ClipElement final : public WrapperElement {
public:
    ClipElement(Shape shape, ElementPtr child) : WrapperElement(std::move(child)), shape_(std::move(shape)) {}
    const char* kind() const override { return "clip"; }
    void dumpAttributes(std::string& out) const override { out += " shape=" + shape_.kind(); }
    void draw(DrawContext& dc) const override {
        // Drawn at least twice per frame (noting what changed, then painting):
        // the outline is made once for the frame it was placed in.
        const QRectF frame(frame_.x, frame_.y, frame_.width, frame_.height);
        if (pathFrame_ != frame) {
            path_ = shape_.path(frame);
            pathFrame_ = frame;
        }
        const std::uint64_t outer = dc.scope;
        if (dc.damage) {
            // What the clip keeps, where: the drawing below depends on both.
            const QTransform& t = dc.painter.worldTransform();
            std::uint64_t k = mixPath(outer ^ 0xc11b, path_);
            for (const double v : {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()})
                k = mixDouble(k, v);
            dc.scope = k;
        }
        // A pass that only notes what the leaves would draw needs the clip's
        // key, not the clip: setting a path clip rasterises the outline.
        const bool paints = !dc.damage || dc.damage->pass == Damage::Pass::paintAndRecord ||
                            dc.damage->pass == Damage::Pass::repaint;
        if (!paints || withinClip(dc)) {
            drawChildren(dc);
        } else {
            dc.painter.save();
            dc.painter.setClipPath(path_, Qt::IntersectClip);
            drawChildren(dc);
            dc.painter.restore();
        }
        dc.scope = outer;
    }

private:
    // Whether every pixel drawn again lies wholly inside the outline: the
    // painter is already clipped to them, and the outline (rasterised for the
    // whole frame when set) would change none of them.
    bool withinClip(const DrawContext& dc) const {
        if (!dc.damage || dc.damage->pass != Damage::Pass::repaint || dc.damage->dirty.isEmpty()) return false;
        bool invertible = false;
        const QTransform toHere = dc.painter.worldTransform().inverted(&invertible);
        if (!invertible) return false;
        const double d = dc.damage->dpr;
        for (const QRect& r : dc.damage->dirty) {
            const QRectF logical(r.x() / d, r.y() / d, r.width() / d, r.height() / d);
            if (!path_.contains(toHere.mapRect(logical))) return false;
        }
        return true;
    }

    Shape shape_;
    mutable QPainterPath path_;
    mutable std::optional<QRectF> pathFrame_; // the frame `path_` was made for
};

ElementPtr ClipNode::build(const BuildContext& ctx) const {
    return std::make_unique<ClipElement>(*shape, buildChild(child, ctx));
}

// Masking: the subtree is drawn into a layer, then kept only where the mask view
// (offered the same frame, centred) is opaque.
struct MaskNode final : ModifierNode {
    View maskView;
    ElementPtr build(const BuildContext& ctx) const override;
};

class MaskElement final : public Element {
public:
    MaskElement(ElementPtr content, ElementPtr mask) {
        children_.push_back(std::move(content));
        children_.push_back(std::move(mask));
    }
    const char* kind() const override { return "mask"; }
    bool ignoresProposal() const override { return content().ignoresProposal(); }
    double firstBaseline(Size size) override { return content().firstBaseline(size); }
    double lastBaseline(Size size) override { return content().lastBaseline(size); }
    void draw(DrawContext& dc) const override {
        const QRectF bounds(frame_.x, frame_.y, frame_.width, frame_.height);
        // The mask may reach outside the frame, the content too; the layer covers both.
        QRectF area = bounds;
        area = area.united(QRectF(mask().frame().x, mask().frame().y, mask().frame().width, mask().frame().height));
        if (dc.damage && !paintsMasked(dc, area.adjusted(-2, -2, 2, 2))) return;
        drawInLayer(
            dc.painter, area.adjusted(-2, -2, 2, 2),
            [&](QPainter& lp) {
                DrawContext inner{lp, dc.hits, dc.hitDepth, dc.bounds, dc.toCaller};
                inner.toCaller = lp.worldTransform().inverted() * dc.painter.worldTransform() * dc.toCaller;
                content().draw(inner);
            },
            [&](QPainter& lp) {
                // The mask goes into a layer of its own first: a composition mode only
                // acts where something is drawn, and the clear parts of the mask must
                // clear the content too.
                auto* layer = static_cast<QImage*>(lp.device());
                QImage maskLayer(layer->size(), QImage::Format_ARGB32_Premultiplied);
                maskLayer.setDevicePixelRatio(layer->devicePixelRatio());
                maskLayer.setDotsPerMeterX(layer->dotsPerMeterX());
                maskLayer.setDotsPerMeterY(layer->dotsPerMeterY());
                maskLayer.fill(Qt::transparent);
                {
                    QPainter mp(&maskLayer);
                    mp.setRenderHints(lp.renderHints());
                    mp.setWorldTransform(lp.worldTransform());
                    std::vector<Hit> ignored;
                    DrawContext maskCtx{mp, ignored, 0, dc.bounds, dc.toCaller};
                    mask().draw(maskCtx);
                }
                lp.save();
                lp.setWorldTransform(QTransform());
                lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                lp.drawImage(QPointF(0, 0), maskLayer);
                lp.restore();
            });
    }

protected:
    Size measure(ProposedSize p) override { return content().sizeThatFits(p); }
    void arrange(Rect frame) override {
        content().place(frame);
        const Size s = mask().sizeThatFits({frame.width, frame.height});
        const Point o = alignedOrigin(frame, mask(), s, Alignment::center);
        mask().place({o.x, o.y, s.width, s.height});
    }

private:
    Element& content() const { return *children_[0]; }
    Element& mask() const { return *children_[1]; }

    /// The masked drawing is one op: its key folds in everything the content
    /// and the mask would draw. The layer itself is then drawn whole.
    bool paintsMasked(DrawContext& dc, const QRectF& area) const {
        if (dc.damage->pass == Damage::Pass::repaint) return dc.paints(area, 0);
        Damage folding;
        folding.pass = Damage::Pass::fold;
        folding.dpr = dc.damage->dpr;
        folding.image = dc.damage->image;
        // A pass that draws nothing still records the content's hits: no other will.
        std::vector<Hit> ignored;
        const bool drawsNow = dc.damage->pass == Damage::Pass::paintAndRecord;
        DrawContext inner{dc.painter, drawsNow ? ignored : dc.hits, dc.hitDepth, dc.bounds, dc.toCaller, &folding,
                          dc.scope};
        content().draw(inner);
        DrawContext maskCtx{dc.painter, ignored, 0, dc.bounds, dc.toCaller, &folding, mix(dc.scope, 0x3a5c)};
        mask().draw(maskCtx);
        return dc.paints(area, folding.folded);
    }
};

ElementPtr MaskNode::build(const BuildContext& ctx) const {
    BuildContext inner = ctx;
    inner.stackAxis.reset();
    return std::make_unique<MaskElement>(buildChild(child, ctx), buildChild(maskView, inner));
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

// Effect values that are not finite numbers have no effect.
using detail::finiteOr;
View View::offset(double x, double y) const {
    return detail::effect(*this, detail::EffectKind::offset, finiteOr(x, 0), finiteOr(y, 0));
}
View View::rotationEffect(double degrees) const {
    return detail::effect(*this, detail::EffectKind::rotation, finiteOr(degrees, 0));
}
View View::scaleEffect(double s) const { return scaleEffect(s, s); }
View View::scaleEffect(double sx, double sy) const {
    return detail::effect(*this, detail::EffectKind::scale, finiteOr(sx, 1), finiteOr(sy, 1));
}
View View::opacity(double o) const {
    return detail::effect(*this, detail::EffectKind::opacity, std::isnan(o) ? 1.0 : std::clamp(o, 0.0, 1.0));
}

View View::clipShape(const Shape& shape) const {
    auto n = std::make_shared<detail::ClipNode>();
    n->child = *this;
    n->shape = shape;
    return View(n);
}

View View::mask(const View& maskView) const {
    auto n = std::make_shared<detail::MaskNode>();
    n->child = *this;
    n->maskView = maskView;
    return View(n);
}

} // namespace plyx::ui
