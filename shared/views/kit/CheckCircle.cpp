#include "shared/views/kit/CheckCircle.h"

#include "platform/ui/Shape.h"

namespace plyx {
namespace {
constexpr const char* kCheckmarkSymbol = "checkmark";
constexpr double kCheckScale = 0.45;
constexpr double kRingWidth = 1.5;
} // namespace

ui::View CheckCircle::body() const {
    const double side = diameter * ctx.u;
    std::vector<ui::View> layers;
    if (done) {
        layers.push_back(ui::Circle().fill(circleColor));
        layers.push_back(ui::Image(kCheckmarkSymbol)
                             .font(ui::Font::system(diameter * kCheckScale * ctx.u, ui::FontWeight::bold))
                             .foregroundColor(checkColor));
    } else {
        layers.push_back(ui::Circle().strokeBorder(
            circleColor, ui::StrokeStyle{kRingWidth * ctx.u, ui::LineCap::butt, ui::LineJoin::miter, 10}));
    }
    return ui::ZStack(std::move(layers)).frame(side, side);
}

} // namespace plyx
