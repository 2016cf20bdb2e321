#pragma once
// Notifications between processes: a name posted by one program reaches every
// program observing that name, at once, with nothing attached. They travel as
// one D-Bus signal on the session bus whose only argument is the name, so any
// process of the user's session can post or observe.
//
// A process without a session bus posts into nothing (and says so once in the
// log) and observes nothing; neither blocks nor fails loudly.
#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace plyx::bus {

/// The object path, interface and member of the signal every post sends.
inline constexpr const char* kPath = "/plyx/DistributedNotifications";
inline constexpr const char* kInterface = "plyx.DistributedNotifications";
inline constexpr const char* kSignal = "Posted";

/// Posts `name` to every observer on the session bus. When it returns the bus
/// holds the post (and everything this process sent before it), so a process
/// may exit right after. Returns whether the post was handed to the bus;
/// false when there is none.
bool post(const std::string& name);

/// One observation of a name; observing stops when it is destroyed. The
/// handler runs on the thread the observation was made on, from that thread's
/// event loop (in a Qt application made on the main thread: the main thread),
/// once per post heard. Every post made after the observation exists is heard.
class Observation : public QObject {
    Q_OBJECT
public:
    Observation(std::string name, std::function<void()> handler);
    ~Observation() override;
    /// Whether the session bus was reached and posts of the name are heard.
    bool isObserving() const { return observing_; }
    const std::string& name() const { return name_; }

private slots:
    void onPosted(const QString& name);

private:
    std::string name_;
    std::function<void()> handler_;
    bool observing_ = false;
};

/// Starts observing `name` on the calling thread (see Observation).
std::unique_ptr<Observation> observe(const std::string& name, std::function<void()> handler);

} // namespace plyx::bus
