// Gradients and the material.
#include "platform/ui/Style.h"

namespace plyx::ui {

Gradient Gradient::evenly(const std::vector<Color>& colors) {
    Gradient g;
    for (size_t i = 0; i < colors.size(); ++i)
        g.stops.push_back({colors[i], colors.size() > 1 ? double(i) / double(colors.size() - 1) : 0.0});
    return g;
}

Color materialColor(Material) {
    // A neutral grey of low opacity: what a thin frosted glass reads as over a desktop.
    return Color::grey255(128, 0.3);
}

} // namespace plyx::ui
