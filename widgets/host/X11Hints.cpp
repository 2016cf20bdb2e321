#include "widgets/host/X11Hints.h"

#include "shared/identity/AppIdentity.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <vector>

namespace plyx::host {

namespace {

xcb_connection_t* x11() {
    auto* native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return native ? native->connection() : nullptr;
}

// The atoms the hints name, asked for once per connection: every request
// sent before any reply is read, so all of them cost one round trip to the
// server instead of one each for every window shown.
enum Name { below, sticky, skipTaskbar, skipPager, state, desktop, blurRegion, kNames };
constexpr std::array<const char*, kNames> kAtomNames = {
    "_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
    "_NET_WM_STATE",       "_NET_WM_DESKTOP",      "_KDE_NET_WM_BLUR_BEHIND_REGION"};

const std::array<xcb_atom_t, kNames>& atoms(xcb_connection_t* c) {
    static xcb_connection_t* known = nullptr;
    static std::array<xcb_atom_t, kNames> atoms{};
    if (known == c) return atoms;
    std::array<xcb_intern_atom_cookie_t, kNames> cookies;
    for (std::size_t i = 0; i < kNames; ++i)
        cookies[i] = xcb_intern_atom(c, 0, uint16_t(qstrlen(kAtomNames[i])), kAtomNames[i]);
    for (std::size_t i = 0; i < kNames; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookies[i], nullptr);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
    }
    known = c;
    return atoms;
}

} // namespace

void applyDesktopWidgetHints(QWidget& window) {
    xcb_connection_t* c = x11();
    if (!c) return;
    const auto id = xcb_window_t(window.winId());
    // Set before the window is mapped, the state is the window's initial one.
    const auto& a = atoms(c);
    std::vector<xcb_atom_t> states;
    for (Name n : {below, sticky, skipTaskbar, skipPager})
        if (a[n]) states.push_back(a[n]);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a[state], XCB_ATOM_ATOM, 32, uint32_t(states.size()),
                        states.data());
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a[desktop], XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    // Instance and class, each ended by a zero byte: one fixed class whatever
    // the program file is called, so screen time can leave these windows out.
    const QByteArray cls = QByteArray(AppIdentity::kHostWindowClass) + '\0' + AppIdentity::kHostWindowClass + '\0';
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, uint32_t(cls.size()),
                        cls.constData());
    // No flush of our own: the map request follows on the same connection,
    // and the toolkit sends both when it shows the window.
}

void setBlurBehind(QWidget& window, bool blur) {
    xcb_connection_t* c = x11();
    if (!c) return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t region = atoms(c)[blurRegion];
    if (!region) return;
    // An empty region means the whole window.
    if (blur) xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, region, XCB_ATOM_CARDINAL, 32, 0, nullptr);
    else xcb_delete_property(c, id, region);
    xcb_flush(c);
}

} // namespace plyx::host
