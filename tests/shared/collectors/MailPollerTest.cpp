// The mail poller over a Maildir inbox: the reply's parsing, the snapshot and
// status of each outcome, the switch, the timer, opening the mail client, and
// the application answering on the bus while a slow read runs.
#include "shared/collectors/MailPoller.h"

#include "platform/desktop/SingleInstance.h"
#include "platform/store/Defaults.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/MediaBridge.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <chrono>
#include <future>

namespace plyx {
namespace {

namespace fs = std::filesystem;

TEST(MailReply, SplitsOnceAtTheBarAndDropsEmptyPieces) {
    struct Case {
        std::string reply;
        std::int64_t count;
        std::optional<std::string> preview;
    };
    const std::vector<Case> cases = {
        {"7|Team: Lunch?", 7, "Team: Lunch?"},
        {"0|", 0, std::nullopt},
        {"3|a|b", 3, "a|b"},
        {"|Team: Lunch?", 0, std::nullopt},  // the preview is taken as the count
        {"+4|x", 4, "x"},
        {"-2|x", -2, "x"},
        {"+-2|x", 0, "x"},
        {"many|x", 0, "x"},
        {"", 0, std::nullopt},
        {"12", 12, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = MailPoller::parseReply(c.reply);
        EXPECT_EQ(parsed.count, c.count) << c.reply;
        EXPECT_EQ(parsed.preview, c.preview) << c.reply;
    }
}

class MailPolling : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
        AppIdentity::configurePlatform(AppIdentity::Program::application);
        reloads_ = std::make_unique<widgetkit::WidgetReloadListener>(
            [this](const std::optional<std::string>& kind) { reloads_heard_.push_back(kind.value_or("all")); });
        ASSERT_TRUE(reloads_->isListening());
        fs::create_directories(inbox_ / "new");
        fs::create_directories(inbox_ / "cur");
        store::Defaults::standard().setBool(StorageKeys::mailEnabled, true);
    }
    void TearDown() override { store::Defaults::standard().remove(StorageKeys::mailEnabled); }

    MailPoller::Mail mail() {
        auto m = MailPoller::maildir();
        m.find = [this] { return mail::searchAt(inbox_); };
        m.hasClient = [] { return true; };
        m.openClient = [this](std::function<void()> done) {
            ++opened_;
            done_ = std::move(done);
        };
        return m;
    }
    // Polls and waits for the read on the worker to be stored.
    void pollNow(MailPoller& poller) {
        poller.poll();
        ASSERT_TRUE(test::spinUntil([&] { return !poller.isPolling(); }));
    }
    bool reloadedInbox() {
        return test::spinUntil([&] { return !reloads_heard_.empty(); }) && reloads_heard_.back() == "plyx.inbox";
    }

    test::FreshStorage storage_;
    test::FakeClock clock_{Date{800'000'000}};
    test::TempDir dir_;
    fs::path inbox_ = dir_.path() / "INBOX";
    int opened_ = 0;
    std::function<void()> done_;
    std::vector<std::string> reloads_heard_;
    std::unique_ptr<widgetkit::WidgetReloadListener> reloads_;
};

TEST_F(MailPolling, AReadableInboxIsStoredConnectedWithItsCountAndPreview) {
    test::writeFile(inbox_ / "new/1765000000.M1.host", "From: Team <t@example.org>\nSubject: Lunch?\n\nbody\n");
    test::writeFile(inbox_ / "cur/1764000000.M2.host:2,S", "From: Old <o@example.org>\nSubject: Old\n\n");
    MailPoller poller(mail());
    pollNow(poller);
    EXPECT_EQ(poller.status(), "Connected · 1 unread");
    const auto snapshot = MediaBridge::inbox();
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(*snapshot, (InboxSnapshot{1, "Team: Lunch?", Date{800'000'000}, true, Date{800'000'000}}));
    EXPECT_TRUE(reloadedInbox());
}

TEST_F(MailPolling, AnEmptyInboxIsConnectedWithoutPreviewButWithADate) {
    MailPoller poller(mail());
    pollNow(poller);
    EXPECT_EQ(poller.status(), "Connected · 0 unread");
    EXPECT_EQ(MediaBridge::inbox(), (InboxSnapshot{0, std::nullopt, Date{800'000'000}, true, Date{800'000'000}}));
}

TEST_F(MailPolling, AnUnreadableInboxStoresADisconnectedSnapshotAndNamesTheFolder) {
    fs::remove_all(inbox_ / "cur");
    MailPoller poller(mail());
    pollNow(poller);
    EXPECT_EQ(poller.status(), "Not permitted — allow Plyx to read the mail folder " + inbox_.string());
    EXPECT_EQ(MediaBridge::inbox(), (InboxSnapshot{0, std::nullopt, std::nullopt, false, Date{800'000'000}}));
    EXPECT_TRUE(reloadedInbox());
}

TEST_F(MailPolling, WithoutAnInboxItWaitsAndKeepsTheLastSnapshot) {
    const InboxSnapshot last{4, "A: B", Date{1}, true, Date{1}};
    MediaBridge::setInbox(last);
    fs::remove_all(inbox_);
    MailPoller poller(mail());
    poller.start(false);  // never opens the client when the user did not ask
    ASSERT_TRUE(test::spinUntil([&] { return !poller.isPolling(); }));
    EXPECT_EQ(opened_, 0);
    EXPECT_EQ(poller.status(), "No mail folder found — looked in " + inbox_.string());
    EXPECT_EQ(MediaBridge::inbox(), last);
}

TEST_F(MailPolling, WithoutAnyMaildirTheStatusSaysWhereItLooked) {
    test::TempDir home;
    test::ScopedEnv h("HOME", home.path().string());
    test::ScopedEnv unset("PLYX_MAILDIR", std::nullopt);
    fs::create_directories(home.path() / "Maildir/Archive/cur");  // a Maildir tree without an inbox
    auto m = mail();
    m.find = MailPoller::maildir().find;
    MailPoller poller(m);
    pollNow(poller);
    EXPECT_EQ(poller.status(),
              "No mail folder found — looked in ~/Maildir/INBOX, ~/Maildir/.INBOX, ~/Maildir and ~/Maildir/*/INBOX");
    EXPECT_FALSE(MediaBridge::inbox());

    fs::create_directories(home.path() / "Maildir/work/INBOX/cur");
    fs::create_directories(home.path() / "Maildir/work/INBOX/new");
    pollNow(poller);
    EXPECT_EQ(poller.status(), "Connected · 0 unread");
    EXPECT_EQ(poller.inbox(), home.path() / "Maildir/work/INBOX");
}

TEST_F(MailPolling, TheApplicationAnswersOnTheBusWhileASlowReadRuns) {
    desktop::SingleInstance application(AppIdentity::kApplication);
    ASSERT_TRUE(application.claim());
    bool reopened = false;
    QObject::connect(&application, &desktop::SingleInstance::reopenRequested, [&] { reopened = true; });
    test::writeFile(inbox_ / "new/1765000000.M1P1.host", "From: Team <t@example.org>\nSubject: Lunch?\n\n");

    // The read is held until the bus call below has had its answer (or,
    // should the poll block this thread, until the caller gave up waiting).
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto m = mail();
    m.read = [released, read = m.read](const fs::path& inbox) {
        released.wait_for(std::chrono::seconds(8));
        return read(inbox);
    };
    MailPoller poller(m);
    std::atomic<bool> answered = false;
    std::unique_ptr<QThread> caller(QThread::create([&] {
        {
            auto bus = QDBusConnection::connectToBus(QString::fromStdString(test::privateBusAddress()), "caller");
            answered = desktop::SingleInstance::handOver(AppIdentity::kApplication, {}, bus);
        }
        QDBusConnection::disconnectFromBus("caller");
        release.set_value();
    }));
    caller->start();
    poller.poll();
    EXPECT_TRUE(poller.isPolling());
    ASSERT_TRUE(test::spinUntil([&] { return caller->isFinished() && !poller.isPolling(); }));
    caller->wait();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(reopened);
    EXPECT_EQ(poller.status(), "Connected · 1 unread");
}

TEST_F(MailPolling, OneReadAtATimeAndAReadFromBeforeAStopIsNotStored) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> reads = 0;
    auto m = mail();
    m.read = [released, &reads, read = m.read](const fs::path& inbox) -> std::optional<std::string> {
        if (reads++ > 0) return read(inbox);
        released.wait();
        return "99|Stale: read before the stop";
    };
    MailPoller poller(m);
    std::vector<std::string> statuses;
    QObject::connect(&poller, &MailPoller::statusChanged,
                     [&] { statuses.push_back(poller.status().value_or("none")); });
    poller.start(false);
    poller.poll();  // asked while the first read runs: waits for it
    poller.stop();
    poller.start(false);
    release.set_value();
    ASSERT_TRUE(test::spinUntil([&] { return reads == 2 && !poller.isPolling(); }));
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(statuses, (std::vector<std::string>{"none", "Connected · 0 unread"}));
    ASSERT_TRUE(MediaBridge::inbox());
    EXPECT_EQ(MediaBridge::inbox()->unread, 0);
}

TEST_F(MailPolling, SwitchedOffAPollChangesNothing) {
    store::Defaults::standard().setBool(StorageKeys::mailEnabled, false);
    MailPoller poller(mail());
    pollNow(poller);
    EXPECT_FALSE(poller.status());
    EXPECT_FALSE(MediaBridge::inbox());
}

TEST_F(MailPolling, SwitchingOnWithoutInboxOpensTheClientAndPollsLater) {
    fs::remove_all(inbox_);
    MailPoller poller(mail());
    poller.start(true);
    EXPECT_EQ(opened_, 1);
    EXPECT_EQ(poller.status(), "Opening Mail…");
    EXPECT_FALSE(MediaBridge::inbox());  // no poll before the client had its time
    EXPECT_TRUE(poller.isRunning());
}

TEST_F(MailPolling, TwoStartsKeepOneTimerAndStopRemovesTheSnapshot) {
    MailPoller poller(mail());
    poller.start(false);
    poller.start(true);  // the inbox exists: polls, opens nothing
    ASSERT_TRUE(test::spinUntil([&] { return !poller.isPolling(); }));
    EXPECT_EQ(opened_, 0);
    EXPECT_EQ(poller.findChildren<QTimer*>().size(), 1u);
    ASSERT_TRUE(MediaBridge::inbox());

    reloads_heard_.clear();
    poller.stop();
    EXPECT_FALSE(poller.isRunning());
    EXPECT_TRUE(poller.findChildren<QTimer*>().isEmpty());
    EXPECT_FALSE(poller.status());
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::inbox));
    EXPECT_TRUE(reloadedInbox());
}

} // namespace
} // namespace plyx
