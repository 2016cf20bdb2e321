#pragma once
// The desktop host on the session bus: its name (one host per session) and
// the calls the command line makes to a running host, so placing or removing
// a widget shows at once.
#include <QDBusContext>
#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>
#include <string>

namespace plyx::host {

class DesktopHost;

namespace HostBus {
inline constexpr const char* kService = "com.zelvanedesigns.plyx.widgets.Host";
inline constexpr const char* kPath = "/com/zelvanedesigns/plyx/widgets/Host";
inline constexpr const char* kInterface = "com.zelvanedesigns.plyx.widgets.Host";

/// What a call to a running host gave.
struct Answer {
    bool reached = false;  // a host answered
    bool ok = false;       // it did what was asked
    std::string text;      // the new id, or the problem
};
/// Asks a running host to place a widget; `reached` is false when none runs.
Answer add(const std::string& kind, const std::string& configJson, std::optional<QPoint> at);
/// Asks a running host to remove a placed widget.
Answer remove(const std::string& id);
} // namespace HostBus

/// Puts `host` on the session bus under the host's name. Returns false when
/// another host holds the name; with no session bus it returns true and the
/// host runs alone (nothing can reach it).
bool publishHost(DesktopHost& host, QObject* owner);

/// The object the bus calls; forwards to the host.
class HostBusObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zelvanedesigns.plyx.widgets.Host")
public:
    HostBusObject(DesktopHost& host, QObject* parent) : QObject(parent), host_(host) {}

public slots:
    /// The new id, or "" and an error reply naming the problem.
    Q_SCRIPTABLE QString Add(const QString& kind, const QString& config, bool placed, int x, int y);
    Q_SCRIPTABLE bool Remove(const QString& id);

private:
    DesktopHost& host_;
};

} // namespace plyx::host
