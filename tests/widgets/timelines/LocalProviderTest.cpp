#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "shared/models/NetworkSnapshot.h"
#include "shared/models/StorageSnapshot.h"
#include "shared/models/SystemSnapshot.h"
#include "widgets/timelines/LocalProvider.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/SystemWidgets.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace plyx;
using widgetkit::TimelineProviderContext;
using widgetkit::TimelineReloadPolicy;

namespace {

int liveCalls = 0;
int readLive() {
    ++liveCalls;
    return 7;
}

// A clock that moves on by 90 seconds every time it is read, so a test can
// tell which reading each date came from.
struct SteppingClock : test::FakeClock {
    SteppingClock() { stepEachRead(90); }
};

const widgetkit::WidgetConfiguration& declared(const WidgetRow& row) {
    return PlyxWidgetsBundle::find(row.kind)->configuration;
}

// The data of the one entry of `row`'s widget's live timeline.
template <class T> T timelineData(const WidgetRow& row) {
    const auto& widget = declared(row);
    const auto answer = widgetkit::request(widget, widgetkit::RequestMode::timeline,
                                           intents::Configuration::defaults(widget.intent()), {});
    return std::any_cast<const PlyxEntry<T>&>(answer.entries.at(0).entry).data;
}

SurfaceConfigIntent configured(SurfaceOption s) { return SurfaceConfigIntent{s}; }

TimelineProviderContext previewContext(bool preview) {
    TimelineProviderContext ctx;
    ctx.isPreview = preview;
    return ctx;
}

class LocalProviderTest : public ::testing::Test {
protected:
    void SetUp() override { liveCalls = 0; }
    LocalProvider<int> provider{3, &readLive, 15};
    SteppingClock clock;
};

} // namespace

TEST_F(LocalProviderTest, PlaceholderIsTheSampleOnTheAppBackgroundWhateverIsConfigured) {
    for (bool preview : {false, true}) {
        const Date requested = clock.now();
        const auto e = provider.placeholder(previewContext(preview));
        EXPECT_EQ(e.data, 3);
        EXPECT_EQ(e.surface, SurfaceOption::followApp);
        EXPECT_EQ(e.date, requested);
    }
    EXPECT_EQ(liveCalls, 0);

    // Through the declaration too: a configured background is not consulted.
    const auto& widget = declared(SystemWidget);
    const auto config = *intents::Configuration::parse(widget.intent(), R"({"surface":"accent"})");
    const auto answer = widgetkit::request(widget, widgetkit::RequestMode::placeholder, config, {});
    const auto& entry = std::any_cast<const PlyxEntry<SystemSnapshot>&>(answer.entries.at(0).entry);
    EXPECT_EQ(entry.surface, SurfaceOption::followApp);
    EXPECT_EQ(entry.data, (SystemSnapshot{34, 61, 88}));
}

TEST_F(LocalProviderTest, PreviewSnapshotShowsTheSampleWithoutReadingLive) {
    const auto preview = provider.snapshot(configured(SurfaceOption::glass), previewContext(true));
    EXPECT_EQ(preview.data, 3);
    EXPECT_EQ(preview.surface, SurfaceOption::glass);
    EXPECT_EQ(liveCalls, 0);

    const auto placed = provider.snapshot(configured(SurfaceOption::solid), previewContext(false));
    EXPECT_EQ(placed.data, 7);
    EXPECT_EQ(placed.surface, SurfaceOption::solid);
    EXPECT_EQ(liveCalls, 1);
}

TEST_F(LocalProviderTest, TimelineReadsLiveOnceAndAsksAgainRefreshMinutesAfterTheRequest) {
    for (bool preview : {false, true}) {
        liveCalls = 0;
        const Date requested = clock.now();
        const auto t = provider.timeline(configured(SurfaceOption::accent), previewContext(preview));
        EXPECT_EQ(liveCalls, 1);
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.entries[0].date, requested);
        EXPECT_EQ(t.entries[0].data, 7);
        EXPECT_EQ(t.entries[0].surface, SurfaceOption::accent);
        // The second reading of the clock, plus 15 minutes.
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(requested + 90 + 15 * 60));
    }
}

TEST(SystemWidgets, PreviewsShowTheSamplesOfEachWidget) {
    struct Case {
        widgetkit::WidgetConfiguration widget;
        std::function<void(const std::any&)> check;
    };
    const Case cases[] = {
        {declared(SystemWidget),
         [](const std::any& a) {
             EXPECT_EQ(std::any_cast<const PlyxEntry<SystemSnapshot>&>(a).data, (SystemSnapshot{34, 61, 88}));
         }},
        {declared(NetworkWidget),
         [](const std::any& a) {
             EXPECT_EQ(std::any_cast<const PlyxEntry<std::optional<NetworkSnapshot>>&>(a).data,
                       (NetworkSnapshot{482.0, 36.0}));
         }},
        {declared(StorageWidget),
         [](const std::any& a) {
             EXPECT_EQ(std::any_cast<const PlyxEntry<StorageSnapshot>&>(a).data, (StorageSnapshot{721, 1000}));
         }},
    };
    test::FreshStorage storage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widget.kind());
        const auto answer = widgetkit::request(c.widget, widgetkit::RequestMode::preview,
                                               intents::Configuration::defaults(c.widget.intent()), {});
        c.check(answer.entries.at(0).entry);
    }
    // Previews took no reading, so no previous sample was stored.
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::cpuTicks));
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::netBytes));
}

TEST(SystemWidgets, FirstReadingsAfterInstallationAndTheStorageFallback) {
    test::FreshStorage storage;
    SteppingClock clock;

    // No previous processor sample: 0 percent, and the sample is now stored.
    const auto first = timelineData<SystemSnapshot>(SystemWidget);
    EXPECT_EQ(first.cpuPercent, 0);
    EXPECT_TRUE(SharedStorage::suite().contains(StorageKeys::cpuTicks));

    // No previous network sample: nothing, passed on as nothing.
    EXPECT_EQ(timelineData<std::optional<NetworkSnapshot>>(NetworkWidget), std::nullopt);

    // A home volume that cannot be read gives the sample's figures, never nothing.
    test::ScopedEnv home("HOME", "/nonexistent/plyx-home");
    EXPECT_EQ(timelineData<StorageSnapshot>(StorageWidget), (StorageSnapshot{721, 1000}));
}
