#include "widgets/host/X11Hints.h"

#include "shared/identity/AppIdentity.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace plyx::host {

namespace {

xcb_connection_t* x11() {
    auto* native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return native ? native->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

} // namespace

void applyDesktopWidgetHints(QWidget& window) {
    xcb_connection_t* c = x11();
    if (!c) return;
    const auto id = xcb_window_t(window.winId());
    // Set before the window is mapped, the state is the window's initial one.
    std::vector<xcb_atom_t> states;
    for (const char* name : {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
                             "_NET_WM_STATE_SKIP_PAGER"})
        if (auto a = atom(c, name)) states.push_back(a);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        uint32_t(states.size()), states.data());
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                        &allDesktops);
    // Instance and class, each ended by a zero byte: one fixed class whatever
    // the program file is called, so screen time can leave these windows out.
    const QByteArray cls = QByteArray(AppIdentity::kHostWindowClass) + '\0' + AppIdentity::kHostWindowClass + '\0';
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, uint32_t(cls.size()),
                        cls.constData());
    xcb_flush(c);
}

void setBlurBehind(QWidget& window, bool blur) {
    xcb_connection_t* c = x11();
    if (!c) return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t region = atom(c, "_KDE_NET_WM_BLUR_BEHIND_REGION");
    if (!region) return;
    // An empty region means the whole window.
    if (blur) xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, region, XCB_ATOM_CARDINAL, 32, 0, nullptr);
    else xcb_delete_property(c, id, region);
    xcb_flush(c);
}

} // namespace plyx::host
