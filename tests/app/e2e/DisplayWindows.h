#pragma once
// The windows an X display shows, read with Xlib (kept apart from Qt code:
// Xlib's macros clash with Qt's names).
#include <string>
#include <vector>

namespace plyx::test {

struct DisplayWindow {
    std::string name;
    int width = 0, height = 0;
};

/// The viewable top-level windows of $DISPLAY.
std::vector<DisplayWindow> viewableWindows();
/// Those named "Plyx".
std::vector<DisplayWindow> plyxWindows();

} // namespace plyx::test
