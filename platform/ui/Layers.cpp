// Overlays and backgrounds: a second view laid in the first one's frame.
#include "platform/ui/Element.h"

namespace plyx::ui::detail {

namespace {

struct LayerNode final : ModifierNode {
    View secondary;
    Alignment alignment;
    bool behind = false;
    ElementPtr build(const BuildContext& ctx) const override;
};

/// The primary view decides the size; the secondary one is offered exactly that
/// size and aligned in it, drawn in front (overlay) or behind (background).
class LayerElement final : public Element {
public:
    LayerElement(ElementPtr primary, ElementPtr secondary, Alignment a, bool behind)
        : alignment_(a), behind_(behind) {
        if (behind) {
            children_.push_back(std::move(secondary));
            children_.push_back(std::move(primary));
        } else {
            children_.push_back(std::move(primary));
            children_.push_back(std::move(secondary));
        }
    }
    const char* kind() const override { return behind_ ? "background" : "overlay"; }
    bool ignoresProposal() const override { return primary().ignoresProposal(); }
    double firstBaseline(Size size) override { return primary().firstBaseline(size); }
    double lastBaseline(Size size) override { return primary().lastBaseline(size); }

protected:
    Size measure(ProposedSize p) override { return primary().sizeThatFits(p); }
    void arrange(Rect frame) override {
        primary().place(frame);
        const Size s = secondary().sizeThatFits({frame.width, frame.height});
        const Point o = alignedOrigin(frame, secondary(), s, alignment_);
        secondary().place({o.x, o.y, s.width, s.height});
    }

private:
    Element& primary() const { return *children_[behind_ ? 1 : 0]; }
    Element& secondary() const { return *children_[behind_ ? 0 : 1]; }
    Alignment alignment_;
    bool behind_;
};

ElementPtr LayerNode::build(const BuildContext& ctx) const {
    BuildContext inner = ctx;
    inner.stackAxis.reset();
    return std::make_unique<LayerElement>(buildChild(child, ctx), buildChild(secondary, inner), alignment, behind);
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View View::overlay(const View& overlay, Alignment alignment) const {
    auto n = std::make_shared<detail::LayerNode>();
    n->child = *this;
    n->secondary = overlay;
    n->alignment = alignment;
    return View(n);
}

View View::background(const View& background, Alignment alignment) const {
    auto n = std::make_shared<detail::LayerNode>();
    n->child = *this;
    n->secondary = background;
    n->alignment = alignment;
    n->behind = true;
    return View(n);
}

View View::background(const ShapeStyle& style) const { return background(Rectangle().fill(style)); }

} // namespace plyx::ui
