// The element base: sizes remembered per proposal, placing, drawing the children.
#include "platform/ui/Element.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plyx::ui::detail {

namespace {

/// Block sizes are rounded up to this step; larger elements than the last
/// class are rare and use the heap directly.
constexpr std::size_t kBlockStep = 16;
constexpr std::size_t kBlockClasses = 96;
/// Blocks a thread keeps per size beyond what a render is using.
constexpr std::size_t kKeptBlocks = 2048;

// The free blocks of each size are kept in an array, not linked through the
// blocks: a render takes hundreds, and following links through blocks that
// have long left the caches made every take wait on memory.
struct BlockLists {
    std::array<std::vector<void*>, kBlockClasses> free;
    bool alive = true;
    ~BlockLists() {
        alive = false;
        for (const auto& blocks : free)
            for (void* p : blocks) ::operator delete(p);
    }
};

BlockLists& blockLists() {
    thread_local BlockLists lists;
    return lists;
}

std::size_t blockClass(std::size_t size) { return (size + kBlockStep - 1) / kBlockStep; }

} // namespace

void* takeBlock(std::size_t size) {
    const std::size_t c = blockClass(size);
    if (c >= kBlockClasses) return ::operator new(size);
    auto& lists = blockLists();
    auto& blocks = lists.free[c];
    if (!lists.alive || blocks.empty()) return ::operator new(c * kBlockStep);
    void* p = blocks.back();
    blocks.pop_back();
    return p;
}

void giveBlock(void* p, std::size_t size) noexcept {
    if (!p) return;
    const std::size_t c = blockClass(size);
    if (c >= kBlockClasses) return ::operator delete(p);
    auto& lists = blockLists();
    if (!lists.alive || lists.free[c].size() >= kKeptBlocks) return ::operator delete(p);
    try {
        lists.free[c].push_back(p);
    } catch (...) {
        ::operator delete(p); // no room to keep it
    }
}

ElementPtr buildChild(const View& view, const BuildContext& ctx) {
    if (!view.node()) return emptyElement();
    return view.node()->build(ctx);
}

Size Element::sizeThatFits(ProposedSize proposal) {
    // A view that ignores what it is offered is measured once.
    if (cacheCount_ > 0 && ignoresProposal()) return {cache_[0].width, cache_[0].height};
    const bool hasWidth = proposal.width.has_value(), hasHeight = proposal.height.has_value();
    const double pw = proposal.width.value_or(0), ph = proposal.height.value_or(0);
    for (int i = 0; i < cacheCount_; ++i) {
        const CacheEntry& e = cache_[size_t(i)];
        if (e.hasWidth == hasWidth && e.hasHeight == hasHeight && e.proposedWidth == pw && e.proposedHeight == ph)
            return {e.width, e.height};
    }
    Size s = measure(proposal);
    // A size is never negative, whatever a child asked for.
    s.width = std::max(0.0, s.width);
    s.height = std::max(0.0, s.height);
    if (cacheCount_ == int(cache_.size())) cacheDropped_ = true;
    cache_[size_t(cacheNext_)] = {pw, ph, s.width, s.height, hasWidth, hasHeight};
    cacheNext_ = (cacheNext_ + 1) % int(cache_.size());
    cacheCount_ = std::min(cacheCount_ + 1, int(cache_.size()));
    return s;
}

void Element::place(Rect frame) {
    frame_ = frame;
    arrange(frame);
}

void Element::draw(DrawContext& dc) const { drawChildren(dc); }

bool Element::advance(Date now) {
    for (const auto& c : children_)
        if (!c->advance(now)) return false;
    return true;
}

bool Element::answersLike(Element& other) {
    if (cacheDropped_ || other.ignoresProposal() != ignoresProposal() || other.isSpacer() != isSpacer() ||
        other.isEmpty() != isEmpty() || other.layoutPriority != layoutPriority)
        return false;
    const auto sameBaselines = [&](Size size) {
        return other.firstBaseline(size) == firstBaseline(size) && other.lastBaseline(size) == lastBaseline(size);
    };
    for (int i = 0; i < cacheCount_; ++i) {
        const CacheEntry& e = cache_[size_t(i)];
        ProposedSize p;
        if (e.hasWidth) p.width = e.proposedWidth;
        if (e.hasHeight) p.height = e.proposedHeight;
        const Size s = other.sizeThatFits(p);
        if (s.width != e.width || s.height != e.height || !sameBaselines({e.width, e.height})) return false;
    }
    return sameBaselines(frame_.size());
}

void Element::drawChildren(DrawContext& dc) const {
    for (const auto& c : children_) c->draw(dc);
}

} // namespace plyx::ui::detail
