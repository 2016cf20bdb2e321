#pragma once
// Asks the widget host to reload timelines: one kind, or all of them. The
// requests travel as D-Bus signals on the session bus, so any process (the
// application, an intent run inside the extension) can send them and every
// running host hears them. Sending never blocks and never fails loudly: with
// no session bus the request is dropped, as a reload with no host would be.
// The object path and interface are the application's own names, given once
// at start.
#include <QObject>

#include <functional>
#include <optional>
#include <string>

namespace plyx::widgetkit {

namespace WidgetCenter {
/// The signal names the requests use.
inline constexpr const char* kReloadKindSignal = "ReloadTimelines";
inline constexpr const char* kReloadAllSignal = "ReloadAllTimelines";

/// The object path and interface the requests travel on.
struct BusNames {
    std::string path;
    std::string interface;
};
/// Sets the names, once at start, before any request or listener; until then
/// nothing is sent and nothing is heard.
void setBusNames(BusNames names);
const BusNames& busNames();

/// Asks for a new timeline of every widget of `kind`. Returns whether the
/// request was handed to the bus.
bool reloadTimelines(const std::string& kind);
/// Asks for a new timeline of every widget.
bool reloadAllTimelines();
} // namespace WidgetCenter

/// Hears reload requests while it lives. The handler runs on the thread that
/// owns the listener, with the kind, or nothing for "all timelines".
class WidgetReloadListener : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const std::optional<std::string>& kind)>;
    explicit WidgetReloadListener(Handler handler, QObject* parent = nullptr);
    ~WidgetReloadListener() override;
    /// Whether the session bus was reached and both signals are heard.
    bool isListening() const { return listening_; }

private slots:
    void onReloadKind(const QString& kind);
    void onReloadAll();

private:
    Handler handler_;
    bool listening_ = false;
};

} // namespace plyx::widgetkit
