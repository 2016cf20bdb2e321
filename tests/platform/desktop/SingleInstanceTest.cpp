// One holder of a session-bus name: a later claimant is refused and its
// reopen or link reaches the holder.
#include "platform/desktop/SingleInstance.h"

#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QtConcurrent>

namespace plyx::desktop {
namespace {

TEST(SingleInstance, ASecondClaimHandsItsRequestToTheFirst) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    test::coreApp();
    const QString name = "com.zelvanedesigns.plyx.Test";
    EXPECT_FALSE(SingleInstance::handOver(name, {}));  // nobody holds it yet

    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    int reopens = 0;
    QStringList links;
    QObject::connect(&first, &SingleInstance::reopenRequested, [&] { ++reopens; });
    QObject::connect(&first, &SingleInstance::urlOpened, [&](const QString& u) { links << u; });

    // The later start runs in another thread here, so the holder's loop can answer.
    // It is another process in life: another connection to the bus.
    const auto later = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "plyx-later-start");
    ASSERT_TRUE(later.isConnected());
    auto handOver = [&](QString url) {
        auto f = QtConcurrent::run([=] { return SingleInstance::handOver(name, url, later); });
        EXPECT_TRUE(test::spinUntil([&] { return f.isFinished(); }));
        return f.result();
    };
    {
        SingleInstance second(name, later);
        EXPECT_FALSE(second.claim());
    }
    EXPECT_TRUE(handOver({}));
    EXPECT_TRUE(handOver("plyxwidgets://open/notes?x=1"));
    EXPECT_EQ(reopens, 1);
    EXPECT_EQ(links, QStringList{"plyxwidgets://open/notes?x=1"});
}

} // namespace
} // namespace plyx::desktop
