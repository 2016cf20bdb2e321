#pragma once
// The one widgets application a suite's windows are made in: the process's
// own when it already has one (on a display), else an offscreen one.
#include <QApplication>

namespace plyx::test {

inline QApplication& widgetsApp() {
    static int argc = 1;
    static char name[] = "plyx_test";
    static char* argv[] = {name, nullptr};
    static auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())
                           ? qobject_cast<QApplication*>(QCoreApplication::instance())
                           : new QApplication(argc, argv);
    return *app;
}

} // namespace plyx::test
