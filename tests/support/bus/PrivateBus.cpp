#include "tests/support/bus/PrivateBus.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plyx::test {

PrivateBus::PrivateBus() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // Its complaints (an fd limit it may not raise) are not the test's business.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char prog[] = "dbus-daemon";
    char session[] = "--session";
    char nofork[] = "--nofork";
    char print[] = "--print-address=1";
    char* argv[] = {prog, session, nofork, print, nullptr};
    const int rc = ::posix_spawnp(&pid_, prog, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        pid_ = -1;
        ::close(fds[0]);
        return;
    }
    // The daemon prints its address once it listens.
    std::string line;
    char c;
    while (true) {
        const ssize_t n = ::read(fds[0], &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        line += c;
    }
    ::close(fds[0]);
    address_ = line;
    if (!address_.empty()) ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
}

PrivateBus::~PrivateBus() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
}

namespace {
PrivateBus* gBus = nullptr;

class PrivateBusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { gBus = new PrivateBus; }
    void TearDown() override {
        delete gBus;
        gBus = nullptr;
    }
};

[[maybe_unused]] const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new PrivateBusEnvironment);
} // namespace

const std::string& privateBusAddress() {
    static const std::string none;
    return gBus ? gBus->address() : none;
}

QCoreApplication& coreApp() {
    if (!QCoreApplication::instance()) {
        // Kept for the life of the process: tearing it down at exit races the
        // bus connection's own thread.
        static int argc = 1;
        static char name[] = "plyx_test";
        static char* argv[] = {name, nullptr};
        static auto* app = new QCoreApplication(argc, argv);
        (void)app;
    }
    return *QCoreApplication::instance();
}

bool spinOnce() {
    coreApp();
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

} // namespace plyx::test
