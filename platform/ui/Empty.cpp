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

View::View() : node_(std::make_shared<detail::EmptyNode>()) {}

View EmptyView() { return View(); }

} // namespace plyx::ui
