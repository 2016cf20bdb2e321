// Layered stacks, spacers, geometry readers, free drawing and environment readers.
#include "platform/ui/Element.h"

#include <cmath>

namespace plyx::ui::detail {

namespace {

double takeOffered(std::optional<double> offered) { return offered ? *offered : kIdealFlexibleLength; }

// ZStack: every child is offered the whole proposal; the stack is as big as its
// biggest child, and each child is aligned in it.
struct ZStackNode final : Node {
    std::vector<View> children;
    Alignment alignment;
    ElementPtr build(const BuildContext& ctx) const override;
};

class ZStackElement final : public Element {
public:
    ZStackElement(Alignment a, ElementList children) : alignment_(a) { children_ = std::move(children); }
    const char* kind() const override { return "ZStack"; }
    bool ignoresProposal() const override {
        return std::all_of(children_.begin(), children_.end(), [](const ElementPtr& c) { return c->ignoresProposal(); });
    }
    double firstBaseline(Size size) override {
        return children_.empty() ? size.height : children_.front()->firstBaseline(children_.front()->sizeThatFits({size.width, size.height}));
    }
    double lastBaseline(Size size) override {
        return children_.empty() ? size.height : children_.front()->lastBaseline(children_.front()->sizeThatFits({size.width, size.height}));
    }

protected:
    Size measure(ProposedSize p) override {
        Size out;
        for (auto& c : children_) {
            const Size s = c->sizeThatFits(p);
            out.width = std::max(out.width, s.width);
            out.height = std::max(out.height, s.height);
        }
        return out;
    }
    void arrange(Rect frame) override {
        for (auto& c : children_) {
            const Size s = c->sizeThatFits({frame.width, frame.height});
            const Point o = alignedOrigin(frame, *c, s, alignment_);
            c->place({o.x, o.y, s.width, s.height});
        }
    }

private:
    Alignment alignment_;
};

ElementPtr ZStackNode::build(const BuildContext& ctx) const {
    BuildContext inner = ctx;
    inner.stackAxis.reset();
    ElementList elements;
    for (const auto& child : children) {
        auto e = buildChild(child, inner);
        if (!e->isEmpty()) elements.push_back(std::move(e));
    }
    return std::make_unique<ZStackElement>(alignment, std::move(elements));
}

// Spacer: stretches along its stack's axis and has no thickness across it.
struct SpacerNode final : Node {
    std::optional<double> minLength;
    ElementPtr build(const BuildContext& ctx) const override;
};

class SpacerElement final : public Element {
public:
    SpacerElement(double minLength, std::optional<Axis> axis) : minLength_(minLength), axis_(axis) {}
    const char* kind() const override { return "Spacer"; }
    bool isSpacer() const override { return true; }

protected:
    Size measure(ProposedSize p) override {
        auto along = [&](std::optional<double> offered) {
            if (!offered) return minLength_;
            return std::max(minLength_, *offered);
        };
        if (axis_ == Axis::horizontal) return {along(p.width), 0};
        if (axis_ == Axis::vertical) return {0, along(p.height)};
        return {along(p.width), along(p.height)};
    }

private:
    double minLength_;
    std::optional<Axis> axis_;
};

ElementPtr SpacerNode::build(const BuildContext& ctx) const {
    return std::make_unique<SpacerElement>(std::max(0.0, finiteOr(minLength.value_or(0), 0)), ctx.stackAxis);
}

// GeometryReader: takes all the space offered and builds its content once that
// space is known, placing it at the top-leading corner.
struct GeometryNode final : Node {
    std::function<View(Size)> content;
    ElementPtr build(const BuildContext& ctx) const override;
};

class GeometryElement final : public Element {
public:
    GeometryElement(std::function<View(Size)> content, BuildContext ctx)
        : content_(std::move(content)), ctx_(std::move(ctx)) {}
    const char* kind() const override { return "GeometryReader"; }

protected:
    Size measure(ProposedSize p) override { return {takeOffered(p.width), takeOffered(p.height)}; }
    void arrange(Rect frame) override {
        children_.clear();
        if (!content_) return;
        built_ = content_(frame.size());
        auto child = buildChild(built_, ctx_);
        const Size s = child->sizeThatFits({frame.width, frame.height});
        child->place({frame.x, frame.y, s.width, s.height});
        children_.push_back(std::move(child));
    }

private:
    std::function<View(Size)> content_;
    BuildContext ctx_;
    View built_; // keeps the content's nodes alive while its elements live
};

ElementPtr GeometryNode::build(const BuildContext& ctx) const {
    BuildContext inner = ctx;
    inner.stackAxis.reset();
    return std::make_unique<GeometryElement>(content, std::move(inner));
}

// Canvas: takes all the space offered and draws with a painter in its own coordinates.
struct CanvasNode final : Node {
    std::function<void(QPainter&, Size)> draw;
    ElementPtr build(const BuildContext&) const override;
};

class CanvasElement final : public Element {
public:
    explicit CanvasElement(std::function<void(QPainter&, Size)> draw) : draw_(std::move(draw)) {}
    const char* kind() const override { return "Canvas"; }
    void draw(DrawContext& dc) const override {
        if (!draw_) return;
        // Free drawing cannot be told apart from the last frame's, nor kept within the frame.
        if (!dc.paintsAnywhere(uniqueKey())) return;
        dc.painter.save();
        dc.painter.translate(frame_.x, frame_.y);
        draw_(dc.painter, frame_.size());
        dc.painter.restore();
    }

protected:
    Size measure(ProposedSize p) override { return {takeOffered(p.width), takeOffered(p.height)}; }

private:
    std::function<void(QPainter&, Size)> draw_;
};

ElementPtr CanvasNode::build(const BuildContext&) const { return std::make_unique<CanvasElement>(draw); }

// ReadEnvironment: its content is whatever the render call's environment makes it.
// Elements copy what they need from their nodes, so the built content may go away.
struct EnvironmentReaderNode final : Node {
    std::function<View(const Environment&)> content;
    ElementPtr build(const BuildContext& ctx) const override {
        return buildChild(content ? content(ctx.env) : View(), ctx);
    }
};

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View ZStack(std::vector<View> children, Alignment alignment) {
    auto n = std::make_shared<detail::ZStackNode>();
    n->children = std::move(children);
    n->alignment = alignment;
    return View(n);
}

View Spacer(std::optional<double> minLength) {
    auto n = std::make_shared<detail::SpacerNode>();
    n->minLength = minLength;
    return View(n);
}

View GeometryReader(std::function<View(Size)> content) {
    auto n = std::make_shared<detail::GeometryNode>();
    n->content = std::move(content);
    return View(n);
}

View Canvas(std::function<void(QPainter&, Size)> draw) {
    auto n = std::make_shared<detail::CanvasNode>();
    n->draw = std::move(draw);
    return View(n);
}

View ReadEnvironment(std::function<View(const Environment&)> content) {
    auto n = std::make_shared<detail::EnvironmentReaderNode>();
    n->content = std::move(content);
    return View(n);
}

} // namespace plyx::ui
