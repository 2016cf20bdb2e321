// Inherited styling: each modifier changes the context its subtree is built with,
// so the innermost modifier wins. They leave no element of their own.
#include "platform/ui/Element.h"

namespace plyx::ui::detail {

namespace {

struct StylingNode final : ModifierNode {
    std::function<void(BuildContext&)> apply;
    ElementPtr build(const BuildContext& ctx) const override {
        BuildContext inner = ctx;
        apply(inner);
        return buildChild(child, inner);
    }
};

View styled(const View& child, std::function<void(BuildContext&)> apply) {
    auto n = std::make_shared<StylingNode>();
    n->child = child;
    n->apply = std::move(apply);
    return View(n);
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

using detail::BuildContext;
using detail::styled;

View View::foregroundColor(const Color& color) const {
    return styled(*this, [color](BuildContext& c) { c.foreground = color; });
}
View View::foregroundStyle(const ShapeStyle& style) const {
    return styled(*this, [style](BuildContext& c) { c.foreground = style; });
}
View View::font(const Font& font) const {
    return styled(*this, [font](BuildContext& c) { c.text.font = font; });
}
View View::fontWeight(FontWeight weight) const {
    return styled(*this, [weight](BuildContext& c) { c.text.font.weight = weight; });
}
View View::tracking(double points) const {
    return styled(*this, [points](BuildContext& c) { c.text.tracking = points; });
}
View View::textCase(std::optional<TextCase> textCase) const {
    return styled(*this, [textCase](BuildContext& c) { c.text.textCase = textCase; });
}
View View::monospacedDigit() const {
    return styled(*this, [](BuildContext& c) { c.text.monospacedDigits = true; });
}
View View::lineLimit(std::optional<int> lines) const {
    if (lines) lines = std::max(1, *lines);
    return styled(*this, [lines](BuildContext& c) { c.text.lineLimit = lines; });
}
View View::lineSpacing(double points) const {
    return styled(*this, [points](BuildContext& c) { c.text.lineSpacing = points; });
}
View View::strikethrough(bool active, std::optional<Color> color) const {
    return styled(*this, [active, color](BuildContext& c) {
        c.text.strikethrough = active;
        c.text.strikethroughColor = color;
    });
}
View View::minimumScaleFactor(double factor) const {
    const double f = std::isnan(factor) ? 1.0 : std::clamp(factor, 0.01, 1.0);
    return styled(*this, [f](BuildContext& c) { c.text.minimumScaleFactor = f; });
}
View View::multilineTextAlignment(TextAlignment alignment) const {
    return styled(*this, [alignment](BuildContext& c) { c.text.alignment = alignment; });
}

} // namespace plyx::ui
