#pragma once
// What a render call tells the views it draws.
#include "platform/time/Date.h"

namespace plyx::ui {

/// How the desktop wants a widget drawn: in its own colours, or tinted by the desktop.
enum class RenderingMode { fullColor, accented, vibrant };

struct Environment {
    /// The moment being rendered; views that count time read it instead of the clock.
    Date now{};
    /// The desktop's rendering mode.
    RenderingMode renderingMode = RenderingMode::fullColor;
    /// Device pixels per point of the target.
    double displayScale = 1;
};

} // namespace plyx::ui
