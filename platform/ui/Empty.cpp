// The empty view: no size, nothing drawn, skipped by stacks. A default `View` is one.
#include "platform/ui/Element.h"

namespace plyx::ui::detail {

namespace {

class EmptyElement final : public Element {
public:
    const char* kind() const override { return "Empty"; }
    bool isEmpty() const override { return true; }

protected:
    Size measure(ProposedSize) override { return {0, 0}; }
};

struct EmptyNode final : Node {
    ElementPtr build(const BuildContext&) const override { return std::make_unique<EmptyElement>(); }
};

} // namespace

ElementPtr emptyElement() { return std::make_unique<EmptyElement>(); }

} // namespace plyx::ui::detail

namespace plyx::ui {

namespace {
// Every empty view shares one node: nodes never change, and views left empty
// (optional parts, placeholders) are common enough that a node each was a
// good share of building a view. Never freed, so it outlives views that
// other statics hold.
const std::shared_ptr<const detail::Node>& emptyNode() {
    static const auto* node = new std::shared_ptr<const detail::Node>(std::make_shared<detail::EmptyNode>());
    return *node;
}
} // namespace

View::View() : node_(emptyNode()) {}

View EmptyView() { return View(); }

} // namespace plyx::ui
