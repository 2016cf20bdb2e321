#include "tests/app/e2e/DisplayWindows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace plyx::test {

/// The viewable top-level windows of the display.
std::vector<DisplayWindow> viewableWindows() {
    std::vector<DisplayWindow> out;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return out;
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
            char* name = nullptr;
            XFetchName(d, children[i], &name);
            out.push_back({name ? name : "", a.width, a.height});
            if (name) XFree(name);
        }
        if (children) XFree(children);
    }
    XCloseDisplay(d);
    return out;
}

std::vector<DisplayWindow> plyxWindows() {
    std::vector<DisplayWindow> out;
    for (auto& w : viewableWindows())
        if (w.name == "Plyx") out.push_back(w);
    return out;
}

} // namespace plyx::test
