// The element base: sizes remembered per proposal, placing, drawing the children.
#include "platform/ui/Element.h"

#include <algorithm>

namespace plyx::ui::detail {

namespace {

bool sameProposal(const ProposedSize& a, const ProposedSize& b) {
    return a.width == b.width && a.height == b.height;
}

} // namespace

ElementPtr buildChild(const View& view, const BuildContext& ctx) {
    if (!view.node()) return emptyElement();
    return view.node()->build(ctx);
}

Size Element::sizeThatFits(ProposedSize proposal) {
    // A view that ignores what it is offered is measured once.
    if (cacheCount_ > 0 && ignoresProposal()) return cache_[0].size;
    for (int i = 0; i < cacheCount_; ++i)
        if (sameProposal(cache_[size_t(i)].proposal, proposal)) return cache_[size_t(i)].size;
    Size s = measure(proposal);
    // A size is never negative, whatever a child asked for.
    s.width = std::max(0.0, s.width);
    s.height = std::max(0.0, s.height);
    cache_[size_t(cacheNext_)] = {proposal, s};
    cacheNext_ = (cacheNext_ + 1) % int(cache_.size());
    cacheCount_ = std::min(cacheCount_ + 1, int(cache_.size()));
    return s;
}

void Element::place(Rect frame) {
    frame_ = frame;
    arrange(frame);
}

void Element::draw(DrawContext& dc) const { drawChildren(dc); }

void Element::drawChildren(DrawContext& dc) const {
    for (const auto& c : children_) c->draw(dc);
}

} // namespace plyx::ui::detail
