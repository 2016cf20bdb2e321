// Vertical and horizontal stacks: the one place where siblings compete for space.
#include "platform/ui/Element.h"
#include "platform/ui/Verify.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plyx::ui::detail {

namespace {

struct StackNode final : Node {
    Axis axis;
    std::vector<View> children;
    HorizontalAlignment hAlign = HorizontalAlignment::center;
    VerticalAlignment vAlign = VerticalAlignment::center;
    double spacing = kDefaultSpacing;
    ElementPtr build(const BuildContext& ctx) const override;
};

class StackElement final : public Element {
    using Sizes = BlockVector<Size>;

public:
    StackElement(const StackNode& node, ElementList children)
        : axis_(node.axis), hAlign_(node.hAlign), vAlign_(node.vAlign), spacing_(node.spacing) {
        children_ = std::move(children);
    }

    const char* kind() const override { return axis_ == Axis::vertical ? "VStack" : "HStack"; }
    bool ignoresProposal() const override {
        return std::all_of(children_.begin(), children_.end(),
                           [](const ElementPtr& c) { return c->ignoresProposal() && !c->isSpacer(); });
    }

    double firstBaseline(Size size) override {
        if (children_.empty()) return size.height;
        const auto rects = layout(size);
        return rects.front().y + children_.front()->firstBaseline(rects.front().size());
    }
    double lastBaseline(Size size) override {
        if (children_.empty()) return size.height;
        const auto rects = layout(size);
        return rects.back().y + children_.back()->lastBaseline(rects.back().size());
    }

protected:
    Size measure(ProposedSize proposal) override {
        const Sizes& sizes = allocate(proposal);
        double mainTotal = totalSpacing();
        for (const auto& s : sizes) mainTotal += mainOf(s);
        const CrossPlacement cross = crossPlacement(sizes);
        return make(mainTotal, cross.extent);
    }

    void arrange(Rect frame) override {
        const auto rects = layout(frame.size());
        for (size_t i = 0; i < children_.size(); ++i)
            children_[i]->place({frame.x + rects[i].x, frame.y + rects[i].y, rects[i].width, rects[i].height});
    }

private:
    double mainOf(Size s) const { return axis_ == Axis::horizontal ? s.width : s.height; }
    double crossOf(Size s) const { return axis_ == Axis::horizontal ? s.height : s.width; }
    std::optional<double> mainOf(ProposedSize p) const { return axis_ == Axis::horizontal ? p.width : p.height; }
    std::optional<double> crossOf(ProposedSize p) const { return axis_ == Axis::horizontal ? p.height : p.width; }
    Size make(double main, double cross) const {
        return axis_ == Axis::horizontal ? Size{main, cross} : Size{cross, main};
    }
    ProposedSize propose(std::optional<double> main, std::optional<double> cross) const {
        return axis_ == Axis::horizontal ? ProposedSize{main, cross} : ProposedSize{cross, main};
    }
    double totalSpacing() const { return children_.empty() ? 0 : spacing_ * double(children_.size() - 1); }

    /// The size each child chooses when the stack is offered `proposal`; measuring,
    /// placing and baselines ask again for the same proposal, so the last answers are kept.
    const Sizes& allocate(ProposedSize proposal) {
        for (const auto& [p, sizes] : allocations_)
            if (p.width == proposal.width && p.height == proposal.height) return sizes;
        if (allocations_.size() >= 4) allocations_.erase(allocations_.begin());
        allocations_.emplace_back(proposal, computeAllocation(proposal));
        return allocations_.back().second;
    }

    Sizes computeAllocation(ProposedSize proposal) {
        const size_t n = children_.size();
        Sizes sizes(n);
        const auto crossProposal = crossOf(proposal);

        // Pass 1: asked for its ideal size, the stack asks each child for its ideal
        // size; nobody competes.
        const auto mainProposal = mainOf(proposal);
        if (!mainProposal) {
            for (size_t i = 0; i < n; ++i) sizes[i] = children_[i]->sizeThatFits(propose(std::nullopt, crossProposal));
            return sizes;
        }

        // Pass 2: measure how far each child can shrink and grow along the axis. The
        // difference is its flexibility: a child that cannot change much must be
        // served before the others take the space it needs.
        BlockVector<double> minMain(n), flexibility(n);
        for (size_t i = 0; i < n; ++i) {
            minMain[i] = mainOf(children_[i]->sizeThatFits(propose(0.0, crossProposal)));
            const double maxMain = mainOf(children_[i]->sizeThatFits(propose(infinity, crossProposal)));
            flexibility[i] = maxMain - minMain[i];
        }

        // Pass 3: order the children: higher layout priority first, spacers after every
        // other child of their priority, then least flexible first. Ties keep their order.
        const auto before = [&](size_t a, size_t b) {
            if (children_[a]->layoutPriority != children_[b]->layoutPriority)
                return children_[a]->layoutPriority > children_[b]->layoutPriority;
            if (children_[a]->isSpacer() != children_[b]->isSpacer()) return !children_[a]->isSpacer();
            return flexibility[a] < flexibility[b];
        };
        // A stable insertion sort: stacks are short and often already in order.
        BlockVector<size_t> order(n);
        std::iota(order.begin(), order.end(), size_t{0});
        for (size_t k = 1; k < n; ++k)
            for (size_t j = k; j > 0 && before(order[j], order[j - 1]); --j) std::swap(order[j], order[j - 1]);
        // Pass 4 serves each priority as one run of the order, so priorities must
        // never rise along it. Only priorities that are not numbers could break
        // this (they compare with nothing), and the modifier refuses those.
        for (size_t k = 1; k < n; ++k)
            PLYX_VERIFY(children_[order[k - 1]]->layoutPriority >= children_[order[k]]->layoutPriority);

        // Pass 4: hand out the space. Each priority group may use what is left after
        // reserving the minimum sizes of all lower-priority children. Within a group,
        // each child in turn is offered an equal share of what remains among those
        // still waiting, chooses, and the rest goes on. Spacers only take what the
        // others leave: while other children are served, the spacers of the group
        // are held to their minimum lengths and not counted in the shares.
        double remaining = *mainProposal - totalSpacing();
        size_t start = 0;
        while (start < n) {
            const double priority = children_[order[start]]->layoutPriority;
            size_t end = start;
            while (end < n && children_[order[end]]->layoutPriority == priority) ++end;
            // Each group holds at least its first child, or this loop would never end.
            PLYX_VERIFY(end > start);
            double reservedBelow = 0;
            for (size_t k = end; k < n; ++k) reservedBelow += minMain[order[k]];
            double spacerMinimum = 0;
            size_t spacers = 0;
            for (size_t k = start; k < end; ++k) {
                if (!children_[order[k]]->isSpacer()) continue;
                spacerMinimum += minMain[order[k]];
                ++spacers;
            }
            double budget = remaining - reservedBelow;
            const size_t others = end - start - spacers;
            for (size_t k = start; k < end; ++k) {
                const size_t i = order[k];
                const bool spacer = children_[i]->isSpacer();
                // Spacers come after the others (pass 3), so a spacer's turn starts
                // once every other child of the group has chosen.
                if (spacer && k == start + others) spacerMinimum = 0;
                const size_t waiting = spacer ? end - k : start + others - k;
                const double share = std::max(0.0, budget - spacerMinimum) / double(waiting);
                sizes[i] = children_[i]->sizeThatFits(propose(share, crossProposal));
                budget -= mainOf(sizes[i]);
                remaining -= mainOf(sizes[i]);
            }
            start = end;
        }
        return sizes;
    }

    struct CrossPlacement {
        double extent = 0;
        BlockVector<double> offsets;
    };

    /// Where each child sits across the axis: the alignment guides of all children
    /// are put on one line, and the stack is as thick as the children reach on both sides.
    CrossPlacement crossPlacement(const Sizes& sizes) {
        CrossPlacement out;
        // The guides first, turned into offsets in place once the line is known.
        BlockVector<double>& guides = out.offsets;
        guides.resize(sizes.size());
        double before = 0, after = 0;
        for (size_t i = 0; i < sizes.size(); ++i) {
            guides[i] = axis_ == Axis::horizontal ? verticalGuide(vAlign_, *children_[i], sizes[i])
                                                  : horizontalGuide(hAlign_, sizes[i].width);
            before = std::max(before, guides[i]);
            after = std::max(after, crossOf(sizes[i]) - guides[i]);
        }
        out.extent = before + after;
        for (double& g : guides) g = before - g;
        return out;
    }

    /// Child rectangles relative to the stack's origin when it is `size` big.
    BlockVector<Rect> layout(Size size) {
        const Sizes& sizes = allocate({size.width, size.height});
        CrossPlacement cross = crossPlacement(sizes);
        // A stack placed in a thicker frame than it chose keeps its alignment across it.
        const double extra = crossOf(size) - cross.extent;
        double shift = 0;
        if (axis_ == Axis::vertical) {
            shift = horizontalGuide(hAlign_, extra);
        } else if (vAlign_ == VerticalAlignment::center) {
            shift = extra / 2;
        } else if (vAlign_ == VerticalAlignment::bottom) {
            shift = extra;
        }
        BlockVector<Rect> rects;
        rects.reserve(sizes.size());
        double main = 0;
        for (size_t i = 0; i < sizes.size(); ++i) {
            const double c = cross.offsets[i] + shift;
            rects.push_back(axis_ == Axis::horizontal ? Rect{main, c, sizes[i].width, sizes[i].height}
                                                      : Rect{c, main, sizes[i].width, sizes[i].height});
            main += mainOf(sizes[i]) + spacing_;
        }
        return rects;
    }

    Axis axis_;
    HorizontalAlignment hAlign_;
    VerticalAlignment vAlign_;
    double spacing_;
    BlockVector<std::pair<ProposedSize, Sizes>> allocations_;
};

ElementPtr StackNode::build(const BuildContext& ctx) const {
    BuildContext inner = ctx;
    inner.stackAxis = axis;
    ElementList elements;
    for (const auto& child : children) {
        auto e = child.node() ? child.node()->build(inner) : nullptr;
        // Empty children take neither space nor spacing.
        if (e && !e->isEmpty()) elements.push_back(std::move(e));
    }
    return std::make_unique<StackElement>(*this, std::move(elements));
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View VStack(std::vector<View> children, HorizontalAlignment alignment, std::optional<double> spacing) {
    auto n = std::make_shared<detail::StackNode>();
    n->axis = detail::Axis::vertical;
    n->children = std::move(children);
    n->hAlign = alignment;
    n->spacing = detail::finiteOr(spacing.value_or(kDefaultSpacing), kDefaultSpacing);
    return View(n);
}

View HStack(std::vector<View> children, VerticalAlignment alignment, std::optional<double> spacing) {
    auto n = std::make_shared<detail::StackNode>();
    n->axis = detail::Axis::horizontal;
    n->children = std::move(children);
    n->vAlign = alignment;
    n->spacing = detail::finiteOr(spacing.value_or(kDefaultSpacing), kDefaultSpacing);
    return View(n);
}

} // namespace plyx::ui
