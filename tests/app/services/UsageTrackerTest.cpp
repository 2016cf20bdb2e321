// The usage tracker against a desktop double and a fake clock: what each
// sample credits, what it skips and when it reloads the screen-time widgets.
#include "app/services/UsageTracker.h"

#include "platform/time/Time.h"
#include "shared/identity/AppIdentity.h"
#include "shared/stores/UsageLog.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

class DesktopDouble : public desktop::Desktop {
public:
    std::optional<desktop::FrontmostApplication> front = desktop::FrontmostApplication{"Editor"};
    std::optional<double> idle = 0;
    std::optional<desktop::FrontmostApplication> frontmostApplication() override { return front; }
    std::optional<double> idleSeconds() override { return idle; }
};

class UsageTrackerTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    // Wednesday 2026-12-09, 15:00 in the test's zone.
    test::FakeClock clock{time::dateFrom(2026, 12, 9, 15, 0, 0, "UTC")};
    DesktopDouble desk;
    std::vector<std::string> reloads;
    UsageTracker tracker{desk, [this](const std::string& k) { reloads.push_back(k); }};

    double today(const std::string& app) {
        const auto log = UsageLog::load();
        const auto day = log.days.find(UsageLog::dayFormat(time::now()));
        if (day == log.days.end()) return 0;
        const auto it = day->second.find(app);
        return it == day->second.end() ? 0 : it->second;
    }
};

const std::vector<std::string> kScreenTime = {"plyx.screentime.total", "plyx.screentime.elapsed",
                                              "plyx.screentime.apps", "plyx.screentime.weekly"};

TEST_F(UsageTrackerTest, StartSamplesAtOnceAndOnlyOnce) {
    tracker.start();
    ASSERT_NE(tracker.timer(), nullptr);
    EXPECT_EQ(tracker.timer()->interval(), 30'000);
    EXPECT_TRUE(tracker.timer()->isActive());
    const QTimer* first = tracker.timer();
    tracker.start();
    EXPECT_EQ(tracker.timer(), first);
    EXPECT_EQ(tracker.findChildren<QTimer*>().size(), 1);
    EXPECT_EQ(today("Editor"), 30);  // one sample, not two
    EXPECT_EQ(reloads, kScreenTime);
}

TEST_F(UsageTrackerTest, CreditsTheTimeSinceTheLastSampleCappedAtAMinute) {
    struct Step {
        double after;     // seconds since the previous sample
        double credited;  // what the editor gains
    };
    const Step steps[] = {{0, 30}, {45, 45}, {600, 60}, {0.5, 0.5}, {-120, 0}};
    double expected = 0;
    for (const auto& s : steps) {
        clock.advance(s.after);
        tracker.sample();
        expected += s.credited;
        EXPECT_DOUBLE_EQ(today("Editor"), expected) << "after " << s.after;
    }
}

TEST_F(UsageTrackerTest, IdleAndMissingAnswersAreSkipped) {
    tracker.sample();  // 30 s
    // Away: nothing is credited, but the next active sample counts from here.
    desk.idle = 180;
    clock.advance(30);
    tracker.sample();
    EXPECT_EQ(today("Editor"), 30);
    desk.idle = 2;
    clock.advance(20);
    tracker.sample();
    EXPECT_EQ(today("Editor"), 50);

    // No frontmost application: skipped, and the time is counted later.
    desk.front.reset();
    clock.advance(10);
    tracker.sample();
    desk.front = desktop::FrontmostApplication{};
    clock.advance(10);
    tracker.sample();
    EXPECT_EQ(today("Unknown"), 20);

    // A desktop that cannot tell the idle time: skipped, nothing moves.
    desk.idle.reset();
    const auto before = tracker.lastSample();
    clock.advance(10);
    tracker.sample();
    EXPECT_EQ(tracker.lastSample(), before);
    EXPECT_EQ(today("Unknown"), 20);
}

TEST_F(UsageTrackerTest, TwoApplicationsOnOneDayAndSixteenDaysPrunedToFifteen) {
    tracker.sample();
    desk.front = desktop::FrontmostApplication{"Terminal"};
    clock.advance(30);
    tracker.sample();
    const auto day = UsageLog::load().days.at(UsageLog::dayFormat(time::now()));
    EXPECT_EQ(day, (std::map<std::string, double>{{"Editor", 30}, {"Terminal", 30}}));

    for (int d = 1; d <= 15; ++d) {
        clock.advance(86400);
        tracker.sample();
    }
    const auto log = UsageLog::load();
    ASSERT_EQ(log.days.size(), 15u);
    EXPECT_EQ(log.days.begin()->first, "2026-12-10");  // the first day is gone
    EXPECT_EQ(log.days.rbegin()->first, "2026-12-24");
}

// A click or drag on a desktop widget activates the host's window: the
// application in front before it keeps the time, and the host never appears.
TEST_F(UsageTrackerTest, TheDesktopHostsWindowsNeverCount) {
    const desktop::FrontmostApplication host{"PlyxWidgets", AppIdentity::kHostWindowClass};
    desk.front = host;
    tracker.sample(); // nothing in front before it: skipped
    desk.front = desktop::FrontmostApplication{"Editor", "editor"};
    clock.advance(30);
    tracker.sample();
    desk.front = host;
    clock.advance(30);
    tracker.sample();
    clock.advance(15);
    tracker.sample();
    EXPECT_EQ(today("Editor"), 75);
    EXPECT_EQ(today("PlyxWidgets"), 0);
}

TEST_F(UsageTrackerTest, ReloadsAtMostEveryFiveMinutes) {
    tracker.sample();
    EXPECT_EQ(reloads.size(), 4u);
    for (int i = 0; i < 10; ++i) {  // 300 s later: not yet more than 300
        clock.advance(30);
        tracker.sample();
    }
    EXPECT_EQ(reloads.size(), 4u);
    clock.advance(30);
    tracker.sample();
    EXPECT_EQ(reloads.size(), 8u);
    // An idle sample reloads nothing.
    desk.idle = 500;
    clock.advance(400);
    tracker.sample();
    EXPECT_EQ(reloads.size(), 8u);
}

} // namespace
} // namespace plyx
