#include "shared/views/kit/Caption.h"

#include "platform/base/TextCase.h"
#include "shared/foundation/PlyxFonts.h"

namespace plyx {
namespace {
constexpr double kDotDiameter = 5;
constexpr double kDotGap = 6;
constexpr double kNumeralMinimumScale = 0.55;
} // namespace

std::string Caption::displayText() const {
    return ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps ? text::upperCased(text) : text;
}

ui::View Caption::body() const {
    const double u = ctx.u;
    ui::View t = ui::Text(displayText()).foregroundColor(color).lineLimit(1);
    if (ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps)
        return t.font(ui::Font::custom(PlyxFonts::fragmentMonoFamily(), size * u)).tracking(size * em * u);
    return t.font(ui::Font::system(size * u, ui::FontWeight::medium));
}

ui::View DotCaption::body() const {
    const double u = ctx.u;
    return ui::HStack({ui::Circle().fill(dot).frame(kDotDiameter * u, kDotDiameter * u),
                       Caption{text, size, em, color, ctx}},
                      ui::VerticalAlignment::center, kDotGap * u);
}

ui::View numeralFit(const ui::View& view) { return view.lineLimit(1).minimumScaleFactor(kNumeralMinimumScale); }

} // namespace plyx
