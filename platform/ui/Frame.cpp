// Frames, padding, ideal-size requests and layout priorities.
#include "platform/ui/Element.h"

#include <cmath>

namespace plyx::ui::detail {

namespace {

/// Places `child` in `frame` by `alignment` at the size it chooses for `proposal`.
Rect placeAligned(Element& child, Rect frame, ProposedSize proposal, Alignment alignment) {
    const Size s = child.sizeThatFits(proposal);
    const Point o = alignedOrigin(frame, child, s, alignment);
    return {o.x, o.y, s.width, s.height};
}

// A frame of fixed width and/or height: the child is offered that size and aligned
// in it; a dimension left out is the child's own.
struct FixedFrameNode final : ModifierNode {
    std::optional<double> width, height;
    Alignment alignment;
    ElementPtr build(const BuildContext& ctx) const override;
};

// What both kinds of frame share: one child, offered a size that depends on the
// frame's own, aligned inside it; baselines are the child's, moved to where it sits.
class AligningFrameElement : public Element {
public:
    AligningFrameElement(ElementPtr child, Alignment alignment) : alignment_(alignment) {
        children_.push_back(std::move(child));
    }
    const char* kind() const override { return "frame"; }
    double firstBaseline(Size size) override {
        const Rect r = childRect({0, 0, size.width, size.height});
        return r.y + child().firstBaseline(r.size());
    }
    double lastBaseline(Size size) override {
        const Rect r = childRect({0, 0, size.width, size.height});
        return r.y + child().lastBaseline(r.size());
    }

protected:
    void arrange(Rect frame) override { child().place(childRect(frame)); }
    Element& child() const { return *children_.front(); }
    /// What the child is offered inside a frame of `offered` size.
    virtual ProposedSize childProposal(ProposedSize offered) const = 0;

private:
    Rect childRect(Rect frame) {
        return placeAligned(child(), frame, childProposal({frame.width, frame.height}), alignment_);
    }

    Alignment alignment_;
};

class FixedFrameElement final : public AligningFrameElement {
public:
    FixedFrameElement(const FixedFrameNode& n, ElementPtr child)
        : AligningFrameElement(std::move(child), n.alignment), width_(n.width), height_(n.height) {}
    bool ignoresProposal() const override { return (width_ && height_) || child().ignoresProposal(); }

protected:
    Size measure(ProposedSize p) override {
        // Fixed in both dimensions, the frame's size does not depend on the child.
        if (width_ && height_) return {*width_, *height_};
        const Size c = child().sizeThatFits(childProposal(p));
        return {width_.value_or(c.width), height_.value_or(c.height)};
    }
    ProposedSize childProposal(ProposedSize p) const override {
        return {width_ ? width_ : p.width, height_ ? height_ : p.height};
    }

private:
    std::optional<double> width_, height_;
};

ElementPtr FixedFrameNode::build(const BuildContext& ctx) const {
    return std::make_unique<FixedFrameElement>(*this, buildChild(child, ctx));
}

// A flexible frame: the offer is clamped to the limits before the child sees it, and
// the frame's own size is the child's, pushed out to the minimum and, when a maximum
// is given, grown towards the offer up to that maximum.
struct FlexFrameNode final : ModifierNode {
    FlexFrame flex;
    ElementPtr build(const BuildContext& ctx) const override;
};

struct Limits {
    std::optional<double> min, ideal, max;

    std::optional<double> proposeToChild(std::optional<double> offered) const {
        if (!offered) return ideal;
        double v = *offered;
        if (max) v = std::min(v, *max);
        if (min) v = std::max(v, *min);
        return v;
    }
    double size(std::optional<double> offered, double child) const {
        if (!offered) {
            if (ideal) return *ideal;
            double v = child;
            if (max) v = std::min(v, *max);
            if (min) v = std::max(v, *min);
            return v;
        }
        double v = child;
        if (min) v = std::max(*min, std::min(v, *offered));
        if (max) v = std::min(*max, std::max(v, *offered));
        return v;
    }
};

class FlexFrameElement final : public AligningFrameElement {
public:
    FlexFrameElement(const FlexFrame& f, ElementPtr child)
        : AligningFrameElement(std::move(child), f.alignment), w_{f.minWidth, f.idealWidth, f.maxWidth},
          h_{f.minHeight, f.idealHeight, f.maxHeight} {}

protected:
    Size measure(ProposedSize p) override {
        const Size c = child().sizeThatFits(childProposal(p));
        return {w_.size(p.width, c.width), h_.size(p.height, c.height)};
    }
    ProposedSize childProposal(ProposedSize p) const override {
        return {w_.proposeToChild(p.width), h_.proposeToChild(p.height)};
    }

private:
    Limits w_, h_;
};

ElementPtr FlexFrameNode::build(const BuildContext& ctx) const {
    return std::make_unique<FlexFrameElement>(flex, buildChild(child, ctx));
}

// Padding: the child is offered what is left inside the insets and sits inside them.
struct PaddingNode final : ModifierNode {
    EdgeInsets insets;
    ElementPtr build(const BuildContext& ctx) const override;
};

class PaddingElement final : public Element {
public:
    PaddingElement(EdgeInsets insets, ElementPtr child) : insets_(insets) { children_.push_back(std::move(child)); }
    const char* kind() const override { return "padding"; }
    bool ignoresProposal() const override { return child().ignoresProposal(); }
    double firstBaseline(Size size) override { return insets_.top + child().firstBaseline(inner(size)); }
    double lastBaseline(Size size) override { return insets_.top + child().lastBaseline(inner(size)); }

protected:
    Size measure(ProposedSize p) override {
        const Size c = child().sizeThatFits(innerProposal(p));
        return {c.width + insets_.leading + insets_.trailing, c.height + insets_.top + insets_.bottom};
    }
    void arrange(Rect frame) override {
        const Size c = child().sizeThatFits(innerProposal({frame.width, frame.height}));
        child().place({frame.x + insets_.leading, frame.y + insets_.top, c.width, c.height});
    }

private:
    Element& child() const { return *children_.front(); }
    ProposedSize innerProposal(ProposedSize p) const {
        auto shrink = [](std::optional<double> v, double by) -> std::optional<double> {
            if (!v) return std::nullopt;
            return std::max(0.0, *v - by);
        };
        return {shrink(p.width, insets_.leading + insets_.trailing), shrink(p.height, insets_.top + insets_.bottom)};
    }
    Size inner(Size s) const { return child().sizeThatFits(innerProposal({s.width, s.height})); }

    EdgeInsets insets_;
};

ElementPtr PaddingNode::build(const BuildContext& ctx) const {
    return std::make_unique<PaddingElement>(insets, buildChild(child, ctx));
}

// Fixed size: the child is asked for its ideal size in the chosen dimensions.
struct FixedSizeNode final : ModifierNode {
    bool horizontal = true, vertical = true;
    ElementPtr build(const BuildContext& ctx) const override;
};

class FixedSizeElement final : public WrapperElement {
public:
    FixedSizeElement(bool h, bool v, ElementPtr child) : WrapperElement(std::move(child)), h_(h), v_(v) {}
    const char* kind() const override { return "fixedSize"; }
    bool ignoresProposal() const override { return (h_ && v_) || child().ignoresProposal(); }

protected:
    Size measure(ProposedSize p) override { return child().sizeThatFits(adjust(p)); }
    void arrange(Rect frame) override {
        const Size s = child().sizeThatFits(adjust({frame.width, frame.height}));
        child().place({frame.x + (frame.width - s.width) / 2, frame.y + (frame.height - s.height) / 2, s.width,
                       s.height});
    }

private:
    ProposedSize adjust(ProposedSize p) const {
        return {h_ ? std::nullopt : p.width, v_ ? std::nullopt : p.height};
    }
    bool h_, v_;
};

ElementPtr FixedSizeNode::build(const BuildContext& ctx) const {
    return std::make_unique<FixedSizeElement>(horizontal, vertical, buildChild(child, ctx));
}

// Layout priority is a property the stack reads from the child itself.
struct PriorityNode final : ModifierNode {
    double priority = 0;
    ElementPtr build(const BuildContext& ctx) const override {
        auto e = buildChild(child, ctx);
        e->layoutPriority = priority;
        return e;
    }
};

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View View::frame(std::optional<double> width, std::optional<double> height, Alignment alignment) const {
    auto n = std::make_shared<detail::FixedFrameNode>();
    n->child = *this;
    // A length that is not a finite number is left to the child.
    auto length = [](std::optional<double> v) -> std::optional<double> {
        if (!v || !std::isfinite(*v)) return std::nullopt;
        return std::max(0.0, *v);
    };
    n->width = length(width);
    n->height = length(height);
    n->alignment = alignment;
    return View(n);
}

View View::frame(const FlexFrame& flex) const {
    auto n = std::make_shared<detail::FlexFrameNode>();
    n->child = *this;
    // Limits that are not numbers, or minimum and ideal sizes that are not finite, are
    // left out; negative limits are zero. An infinite maximum means "fill".
    auto limit = [](std::optional<double> v, bool mayBeInfinite) -> std::optional<double> {
        if (!v || std::isnan(*v) || (!mayBeInfinite && std::isinf(*v))) return std::nullopt;
        return std::max(0.0, *v);
    };
    n->flex = flex;
    n->flex.minWidth = limit(flex.minWidth, false);
    n->flex.idealWidth = limit(flex.idealWidth, false);
    n->flex.maxWidth = limit(flex.maxWidth, true);
    n->flex.minHeight = limit(flex.minHeight, false);
    n->flex.idealHeight = limit(flex.idealHeight, false);
    n->flex.maxHeight = limit(flex.maxHeight, true);
    return View(n);
}

View View::frameFill(Alignment alignment) const {
    FlexFrame f;
    f.maxWidth = infinity;
    f.maxHeight = infinity;
    f.alignment = alignment;
    return frame(f);
}

View View::padding(EdgeInsets insets) const {
    auto n = std::make_shared<detail::PaddingNode>();
    n->child = *this;
    // Negative insets pull the child outwards; lengths that are not finite count as none.
    using detail::finiteOr;
    n->insets = {finiteOr(insets.top, 0), finiteOr(insets.leading, 0), finiteOr(insets.bottom, 0),
                 finiteOr(insets.trailing, 0)};
    return View(n);
}

View View::padding(Edges edges, double length) const {
    EdgeInsets in;
    if (contains(edges, Edges::top)) in.top = length;
    if (contains(edges, Edges::leading)) in.leading = length;
    if (contains(edges, Edges::bottom)) in.bottom = length;
    if (contains(edges, Edges::trailing)) in.trailing = length;
    return padding(in);
}

View View::padding(double length) const { return padding(Edges::all, length); }
View View::padding() const { return padding(Edges::all, kDefaultPadding); }

View View::fixedSize(bool horizontal, bool vertical) const {
    auto n = std::make_shared<detail::FixedSizeNode>();
    n->child = *this;
    n->horizontal = horizontal;
    n->vertical = vertical;
    return View(n);
}

View View::layoutPriority(double priority) const {
    auto n = std::make_shared<detail::PriorityNode>();
    n->child = *this;
    n->priority = detail::finiteOr(priority, 0);
    return View(n);
}

} // namespace plyx::ui
