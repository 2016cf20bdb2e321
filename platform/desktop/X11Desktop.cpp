// The X11 desktop: the active window from the window manager's
// _NET_ACTIVE_WINDOW, its application from WM_CLASS named by the matching
// desktop entry, and idle time from the screen-saver extension, else from the
// desktop's idle monitor on the session bus.
#include "platform/desktop/Desktop.h"
#include "platform/desktop/DesktopEntries.h"
#include "platform/desktop/IdleMonitor.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdlib>
#include <map>

namespace plyx::desktop {

namespace {

/// Errors about windows that vanished between two requests are expected
/// (the active window closed meanwhile); they must not end the program.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

class NoDesktop final : public Desktop {
public:
    std::optional<FrontmostApplication> frontmostApplication() override { return std::nullopt; }
    // Without an X display (a Wayland session) the desktop's idle monitor may still answer.
    std::optional<double> idleSeconds() override { return idleMonitorSeconds(); }
};

class X11Desktop final : public Desktop {
public:
    explicit X11Desktop(Display* d) : display_(d) {
        XSetErrorHandler(ignoreErrors);
        activeAtom_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
        int event = 0, error = 0;
        hasScreenSaver_ = XScreenSaverQueryExtension(display_, &event, &error);
        info_ = hasScreenSaver_ ? XScreenSaverAllocInfo() : nullptr;
    }
    ~X11Desktop() override {
        if (info_) XFree(info_);
        XCloseDisplay(display_);
    }

    std::optional<FrontmostApplication> frontmostApplication() override {
        const Window w = activeWindow();
        if (w == None) return std::nullopt;
        XClassHint hint{};
        if (!XGetClassHint(display_, w, &hint)) return FrontmostApplication{};
        const std::string cls = hint.res_class ? hint.res_class : "";
        const std::string instance = hint.res_name ? hint.res_name : "";
        if (hint.res_class) XFree(hint.res_class);
        if (hint.res_name) XFree(hint.res_name);
        if (cls.empty()) return FrontmostApplication{};
        return FrontmostApplication{nameOf(cls, instance), cls};
    }

    std::optional<double> idleSeconds() override {
        if (!info_ || !XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info_))
            return idleMonitorSeconds();
        return static_cast<double>(info_->idle) / 1000.0;
    }

private:
    Window activeWindow() {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display_, DefaultRootWindow(display_), activeAtom_, 0, 1, False,
                                              XA_WINDOW, &type, &format, &count, &after, &data);
        Window w = None;
        if (status == Success && type == XA_WINDOW && format == 32 && count == 1 && data)
            w = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
        if (data) XFree(data);
        return w;
    }

    /// The desktop entry's name for the class (or its instance name), else
    /// the class itself; looked up once per class.
    std::string nameOf(const std::string& cls, const std::string& instance) {
        auto it = names_.find(cls);
        if (it != names_.end()) return it->second;
        const auto folders = applicationFolders();
        auto name = nameForWindowClass(cls, folders);
        if (!name && !instance.empty()) name = nameForWindowClass(instance, folders);
        return names_.emplace(cls, name.value_or(cls)).first->second;
    }

    Display* display_;
    Atom activeAtom_ = None;
    bool hasScreenSaver_ = false;
    XScreenSaverInfo* info_ = nullptr;
    std::map<std::string, std::string> names_;
};

} // namespace

std::unique_ptr<Desktop> sessionDesktop() {
    const char* name = std::getenv("DISPLAY");
    if (name && *name)
        if (Display* d = XOpenDisplay(name)) return std::make_unique<X11Desktop>(d);
    return std::make_unique<NoDesktop>();
}

} // namespace plyx::desktop
