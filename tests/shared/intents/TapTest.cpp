// A tap as the desktop host makes it: the intent is serialised into a
// button, the button's action read back from the rendered view, and another
// process rebuilds and performs it. The store changes as each intent's rules
// say, and this process hears the reload of the intent's kind and the reload
// notification.
#include "shared/identity/AppIdentity.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/intents/ReloadKinds.h"

#include "platform/bus/Bus.h"
#include "platform/time/Time.h"
#include "platform/ui/Render.h"
#include "platform/ui/View.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace plyx {
namespace {

const Uuid kId = *Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

// The action a button carrying `intent` answers a tap with.
std::string tappedAction(const intents::AppIntent& intent) {
    const auto view = ui::Button(ui::Canvas([](QPainter&, ui::Size) {}).frame(40, 40), intents::serialise(intent));
    const auto result = ui::render(view, {40, 40}, 1, {});
    const ui::Hit* hit = ui::hitTest(result.hits, {20, 20});
    return hit && hit->kind == ui::HitKind::action ? hit->payload : std::string();
}

// Performs `forms` in a runner process; its exit code.
int runElsewhere(const QStringList& forms, std::optional<Date> now = std::nullopt, int times = 1) {
    QStringList args;
    if (now) args << "--now" << QString::number(now->sinceReferenceDate, 'g', 17);
    args << "--times" << QString::number(times) << forms;
    QProcess runner;
    runner.start(INTENT_RUNNER, args);
    if (!runner.waitForFinished(60000)) return -1;
    if (runner.exitCode() != 0) ADD_FAILURE() << runner.readAllStandardError().toStdString();
    return runner.exitCode();
}

class Tap : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
        AppIdentity::configurePlatform(AppIdentity::Program::extension);
        reloads_ = std::make_unique<widgetkit::WidgetReloadListener>(
            [this](const std::optional<std::string>& kind) { heard_.push_back("reload " + kind.value_or("all")); });
        posts_ = bus::observe(kReloadWidgetsNotification, [this] { heard_.push_back("posted"); });
        ASSERT_TRUE(reloads_->isListening() && posts_->isObserving());
    }

    // Taps `intent` at `now` in another process; what this process heard of it
    // once the reload notification came (nothing when none is expected).
    std::vector<std::string> tap(const intents::AppIntent& intent, Date now, bool expectPost = true) {
        heard_.clear();
        const auto action = tappedAction(intent);
        EXPECT_EQ(action, intents::serialise(intent));
        EXPECT_EQ(runElsewhere({QString::fromStdString(action)}, now), 0);
        if (expectPost) {
            EXPECT_TRUE(test::spinUntil([&] { return !heard_.empty() && heard_.back() == "posted"; }));
        }
        return heard_;
    }

    static std::vector<std::string> reloadOf(const char* kind) { return {std::string("reload ") + kind, "posted"}; }

    test::FreshStorage storage_;
    std::vector<std::string> heard_;
    std::unique_ptr<widgetkit::WidgetReloadListener> reloads_;
    std::unique_ptr<bus::Observation> posts_;
};

const Date t0{800000000};

TEST_F(Tap, FocusStartsA25MinuteSessionStopsItAndStartsAgainAfterTheEnd) {
    EXPECT_EQ(tap(FocusToggleIntent(), t0), reloadOf("plyx.focus.timer"));
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{t0 + 1500, 25}));
    tap(FocusToggleIntent(), t0 + 10);
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{std::nullopt, 25}));
    tap(FocusToggleIntent(), t0 + 20);
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{t0 + 1520, 25}));
    // After the end a tap starts a new session of the stored length.
    ASSERT_TRUE(SharedStorage::write(StorageKeys::focus, FocusSession{t0 + 1520, 50}));
    tap(FocusToggleIntent(), t0 + 1600);
    EXPECT_EQ(ExtrasStore::focus(), (FocusSession{t0 + 1600 + 3000, 50}));
}

TEST_F(Tap, TheStopwatchStartsTakesLapsSinceTheStartAndResets) {
    EXPECT_EQ(tap(StopwatchToggleIntent(), t0), reloadOf("plyx.stopwatch"));
    EXPECT_EQ(ExtrasStore::stopwatch(), (StopwatchState{t0, {}}));
    tap(StopwatchToggleIntent(), t0 + 12.5);
    tap(StopwatchToggleIntent(), t0 + 30);
    EXPECT_EQ(ExtrasStore::stopwatch(), (StopwatchState{t0, {12.5, 30.0}}));
    EXPECT_EQ(tap(StopwatchResetIntent(), t0 + 31), reloadOf("plyx.stopwatch"));
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::stopwatch), R"({"laps":[]})");
}

TEST_F(Tap, AHabitIsCheckedInAndAMalformedIdChangesAndPostsNothing) {
    const std::vector<HabitItem> habits{{kId, "Swim", {}}};
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, habits));
    const auto before = SharedStorage::suite().data(StorageKeys::habits);
    for (const char* id : {"", "not-a-uuid", "E621E1F8-C36C-495A-93FC-0C247A3E6E5"}) {
        SCOPED_TRACE(id);
        tap(HabitToggleIntent(id), t0, false);
        EXPECT_EQ(SharedStorage::suite().data(StorageKeys::habits), before);
    }
    // Had any of them posted, it would be heard before this tap's reload.
    EXPECT_EQ(tap(AddWaterIntent(), t0), reloadOf("plyx.water"));

    EXPECT_EQ(tap(HabitToggleIntent(kId.string()), t0), reloadOf("plyx.habits.week"));
    EXPECT_EQ((*ExtrasStore::habits())[0].checkins, (std::set<std::string>{time::dayKey(t0)}));
}

TEST_F(Tap, StepsAddTheParameterAThousandByDefaultAndWaterAddsOne) {
    EXPECT_EQ(tap(AddStepsIntent(), t0), reloadOf("plyx.steps"));
    EXPECT_EQ(SharedStorage::integer(StorageKeys::counterKey(kStepsCounter, t0)), 1000);
    AddStepsIntent some;
    some.steps = 250;
    tap(some, t0);
    EXPECT_EQ(SharedStorage::integer(StorageKeys::counterKey(kStepsCounter, t0)), 1250);
    EXPECT_EQ(tap(AddWaterIntent(), t0), reloadOf("plyx.water"));
    EXPECT_EQ(SharedStorage::integer(StorageKeys::counterKey(kWaterCounter, t0)), 1);
}

// Another program writing the suite: its write lock, held on a connection
// of its own until released.
class HeldSuite {
public:
    explicit HeldSuite(const std::filesystem::path& file) {
        EXPECT_EQ(sqlite3_open(file.c_str(), &db_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void release() { sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr); }
    ~HeldSuite() {
        release();
        sqlite3_close(db_);
    }

private:
    sqlite3* db_ = nullptr;
};

TEST_F(Tap, ATapWaitsOutABriefLockAndOneTheStoreGaveUpOnFailsLoggedAndReloadsNothing) {
    const auto suite = SharedStorage::suite().path();
    const auto key = StorageKeys::counterKey(kWaterCounter, t0);
    const QStringList args{"--now", QString::number(t0.sinceReferenceDate, 'g', 17),
                           QString::fromStdString(intents::serialise(AddWaterIntent()))};
    {
        HeldSuite held(suite);
        std::thread later([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            held.release();
        });
        heard_.clear();
        QProcess runner;
        runner.start(INTENT_RUNNER, args);
        EXPECT_TRUE(runner.waitForFinished(60000));
        later.join();
        EXPECT_EQ(runner.exitCode(), 0) << runner.readAllStandardError().toStdString();
        EXPECT_TRUE(test::spinUntil([&] { return !heard_.empty() && heard_.back() == "posted"; }));
        EXPECT_EQ(heard_, reloadOf("plyx.water"));
    }
    EXPECT_EQ(SharedStorage::integer(key), 1);
    {
        HeldSuite held(suite); // past any wait: released once the tap has ended
        QProcess runner;
        runner.start(INTENT_RUNNER, args);
        EXPECT_TRUE(runner.waitForFinished(60000));
        EXPECT_EQ(runner.exitCode(), 3);
        const auto err = runner.readAllStandardError().toStdString();
        EXPECT_NE(err.find(key), std::string::npos) << err;
    }
    EXPECT_EQ(SharedStorage::integer(key), 1);
    // Had the failed tap reloaded or posted, it would be heard before this tap's reload.
    EXPECT_EQ(tap(AddWaterIntent(), t0), reloadOf("plyx.water"));
    EXPECT_EQ(SharedStorage::integer(key), 2);
}

TEST(TapsAtOnce, TwoProcessesTappingTheSameCounter500TimesEachEndWithExactly1000) {
    if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
    test::FreshStorage storage;
    const QStringList args{"--times", "500", QString::fromStdString(intents::serialise(AddWaterIntent()))};
    QProcess a, b;
    a.start(INTENT_RUNNER, args);
    b.start(INTENT_RUNNER, args);
    ASSERT_TRUE(a.waitForFinished(100000) && b.waitForFinished(100000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    EXPECT_EQ(ExtrasStore::counter(kWaterCounter, 8).value, 1000);
}

} // namespace
} // namespace plyx
