// The GUI application fonts and images need, made on demand for programs and
// tests that have none.
#include "platform/ui/Render.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace plyx::ui {

void ensureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (QCoreApplication::instance()) return; // a non-GUI application: nothing we may do
    static int argc = 1;
    static char name[] = "plyx";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace plyx::ui
