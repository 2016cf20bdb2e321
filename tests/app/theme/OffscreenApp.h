#pragma once
// One widgets application for the whole test process (offscreen under ctest).
#include <QApplication>

namespace plyx::test {

inline void offscreenApp() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

} // namespace plyx::test
