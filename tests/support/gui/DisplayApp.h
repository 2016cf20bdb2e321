#pragma once
// One X server (Xvfb) for the whole test process, and the application on it,
// for suites whose windows must be really shown. Start it from the main
// thread: the server ends with the thread that started it.
#include "tests/support/gui/XServer.h"

#include <QApplication>

namespace plyx::test {

/// The application on this process's own X display; nothing when no X
/// server could be started (the caller skips). `screen` counts only on the
/// first call.
inline QApplication* displayApp(const char* screen = "1600x1000x24") {
    static XServer* server = nullptr;
    static QApplication* app = nullptr;
    if (server) return app;
    server = new XServer(screen); // kept for the process; it ends with it
    if (server->display().isEmpty()) return nullptr;
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    return app;
}

} // namespace plyx::test
