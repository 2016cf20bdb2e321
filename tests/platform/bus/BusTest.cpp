// Notifications between processes over the test's private session bus:
// posted in one process, heard in another; heard on the observer's own thread;
// and a process without a bus posts into nothing.
#include "platform/bus/Bus.h"

#include "tests/support/bus/PrivateBus.h"

#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace plyx {
namespace {

constexpr const char* kName = "com.zelvanedesigns.plyx.reloadwidgets";

class Bus : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
    }
};

TEST_F(Bus, AnObserverHearsItsNameOncePerPostAndNoOtherName) {
    int heard = 0, others = 0;
    auto observation = bus::observe(kName, [&] { ++heard; });
    auto other = bus::observe("com.zelvanedesigns.plyx.media.next", [&] { ++others; });
    ASSERT_TRUE(observation->isObserving());

    // Posts from one sender arrive in order: once the second of ours is heard,
    // the other name posted before it has been delivered too.
    ASSERT_TRUE(bus::post("com.zelvanedesigns.plyx.media.playpause"));
    ASSERT_TRUE(bus::post(kName));
    ASSERT_TRUE(bus::post(kName));
    ASSERT_TRUE(test::spinUntil([&] { return heard == 2; }));
    EXPECT_EQ(others, 0);

    // A destroyed observation hears nothing more.
    observation.reset();
    ASSERT_TRUE(bus::post(kName));
    ASSERT_TRUE(bus::post("com.zelvanedesigns.plyx.media.next"));
    ASSERT_TRUE(test::spinUntil([&] { return others == 1; }));
    EXPECT_EQ(heard, 2);
}

TEST_F(Bus, TheHandlerRunsOnTheThreadThatObserves) {
    QThread worker;
    worker.start();
    std::atomic<QThread*> ranOn{nullptr};
    std::unique_ptr<bus::Observation> observation;
    QObject context;
    context.moveToThread(&worker);
    QMetaObject::invokeMethod(
        &context, [&] { observation = bus::observe(kName, [&] { ranOn = QThread::currentThread(); }); },
        Qt::BlockingQueuedConnection);
    ASSERT_TRUE(observation && observation->isObserving());

    ASSERT_TRUE(bus::post(kName));
    ASSERT_TRUE(test::spinUntil([&] { return ranOn.load() != nullptr; }));
    EXPECT_EQ(ranOn.load(), &worker);

    QMetaObject::invokeMethod(&context, [&] { observation.reset(); }, Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();
}

// Starts the peer program; its standard output is read line by line.
std::unique_ptr<QProcess> startPeer(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->start(BUS_PEER, args);
    return p;
}

TEST_F(Bus, AnotherProcessHearsWhatThisOnePosts) {
    auto peer = startPeer({"observe", kName});
    ASSERT_TRUE(peer->waitForReadyRead(10000)) << peer->readAllStandardError().toStdString();
    ASSERT_EQ(peer->readLine().trimmed(), "ready");

    ASSERT_TRUE(bus::post(kName));
    ASSERT_TRUE(peer->waitForFinished(10000));
    EXPECT_EQ(peer->exitCode(), 0);
    EXPECT_EQ(peer->readAll().trimmed(), "heard");
}

TEST_F(Bus, ThisProcessHearsWhatAnotherOnePosts) {
    int heard = 0;
    auto observation = bus::observe(kName, [&] { ++heard; });
    ASSERT_TRUE(observation->isObserving());

    auto peer = startPeer({"post", kName, "3"});
    ASSERT_TRUE(peer->waitForFinished(10000));
    EXPECT_EQ(peer->exitCode(), 0) << peer->readAllStandardError().toStdString();
    ASSERT_TRUE(test::spinUntil([&] { return heard == 3; }));
}

TEST_F(Bus, WithoutASessionBusPostingReturnsAtOnceAndLogsOnce) {
    // Neither a reachable address nor a display to start a bus from.
    for (const char* address : {"unix:path=/nonexistent/plyx-bus", ""}) {
        SCOPED_TRACE(address);
        auto env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("XDG_RUNTIME_DIR");
        if (*address) env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        else env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.insert("QT_LOGGING_RULES", "com.zelvanedesigns.plyx.*=true");
        auto peer = startPeer({"post", kName, "5"}, env);
        // The test's own time limit is what catches a post that blocks.
        ASSERT_TRUE(peer->waitForFinished(30000));
        EXPECT_EQ(peer->exitCode(), 1);  // no post reached a bus
        const auto log = peer->readAllStandardError();
        EXPECT_EQ(log.count("no session bus"), 1) << log.toStdString();
    }
}

} // namespace
} // namespace plyx
