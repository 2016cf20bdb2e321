#pragma once
// A session bus of the test's own: a dbus-daemon started for one test process
// and stopped with it. DBUS_SESSION_BUS_ADDRESS points at it, so this process
// and every program it starts share it, and nothing else hears them.
#include <QCoreApplication>

#include <memory>
#include <string>
#include <sys/types.h>

namespace plyx::test {

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    /// The bus's address; empty when the daemon could not be started.
    const std::string& address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

/// The address of the private bus of this test process (started before the
/// first test); empty when it could not be started.
const std::string& privateBusAddress();

/// A core application for tests that need an event loop (made once, kept).
QCoreApplication& coreApp();

/// Runs the event loop until `done()` holds or about ten seconds have passed.
/// Returns `done()`.
template <class F> bool spinUntil(F done);
bool spinOnce();

template <class F> bool spinUntil(F done) {
    for (int i = 0; i < 1000 && !done(); ++i) spinOnce();
    return done();
}

} // namespace plyx::test
