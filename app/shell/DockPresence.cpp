#include "app/shell/DockPresence.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace plyx {

namespace {
DockPresence* observer = nullptr;

/// A window that can be the main one: a visible top-level window, not a
/// dialog, tool window, popup or splash.
bool canBecomeMain(const QWidget* w) {
    if (!w->isWindow() || !w->isVisible()) return false;
    const auto type = w->windowType();
    return type == Qt::Window;
}
} // namespace

DockPresence* DockPresence::startObserving() {
    if (!observer) {
        observer = new DockPresence(qApp);
        qApp->installEventFilter(observer);
    }
    return observer;
}

bool DockPresence::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        // Checked after the close has been carried out.
        QMetaObject::invokeMethod(this, [this] { check(); }, Qt::QueuedConnection);
    return false;
}

void DockPresence::check() {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (canBecomeMain(w)) return;
    emit noMainWindow();
}

} // namespace plyx
