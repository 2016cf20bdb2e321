#pragma once
// The one widgets application the gallery suites draw in (offscreen).
#include <QApplication>

namespace plyx::test {

inline QApplication& widgetsApp() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())
                           ? qobject_cast<QApplication*>(QCoreApplication::instance())
                           : new QApplication(argc, argv);
    return *app;
}

} // namespace plyx::test
