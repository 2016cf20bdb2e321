#pragma once
// Tells when the application's last main window has closed, so it can become
// accessory and live on in the tray instead of quitting.
#include <QObject>

namespace plyx {

class DockPresence : public QObject {
    Q_OBJECT
public:
    /// Starts watching window closes for the whole application, once per
    /// process; later calls return the same watcher.
    static DockPresence* startObserving();

signals:
    /// A window closed and no main window is visible any more.
    void noMainWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DockPresence(QObject* parent) : QObject(parent) {}
    void check();
};

} // namespace plyx
