#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/timelines/CountdownTimelineProvider.h"
#include "widgets/timelines/FocusTimelineProvider.h"

#include <gtest/gtest.h>

using namespace plyx;
using widgetkit::TimelineProviderContext;
using widgetkit::TimelineReloadPolicy;

namespace {

TimelineProviderContext context(bool preview = false) {
    TimelineProviderContext ctx;
    ctx.isPreview = preview;
    return ctx;
}

struct ZoneScope {
    explicit ZoneScope(const std::string& zone) { time::setCurrentZone(zone); }
    ~ZoneScope() { time::setCurrentZone("UTC"); }
};

CountdownConfigIntent countdown(std::optional<Date> target) {
    CountdownConfigIntent i;
    i.name = "Trip";
    i.target = target;
    i.surface = SurfaceOption::glass;
    return i;
}

SurfaceConfigIntent surface(SurfaceOption s) { return SurfaceConfigIntent{s}; }

} // namespace

TEST(CountdownTimelineProvider, AsksAgainAtTheNextLocalMidnight) {
    struct Case {
        const char* zone;
        Date now, reload;
    };
    const Case cases[] = {
        {"UTC", time::dateFrom(2026, 12, 24, 23, 59, 0, "UTC"), time::dateFrom(2026, 12, 25, 0, 0, 0, "UTC")},
        {"UTC", time::dateFrom(2026, 12, 25, 0, 0, 0, "UTC"), time::dateFrom(2026, 12, 26, 0, 0, 0, "UTC")},
        {"UTC", time::dateFrom(2026, 12, 31, 12, 0, 0, "UTC"), time::dateFrom(2027, 1, 1, 0, 0, 0, "UTC")},
        // The spring-forward day has 23 hours; the reload still comes at the local start of the next day.
        {"Europe/Paris", time::dateFrom(2026, 3, 29, 0, 30, 0, "Europe/Paris"),
         time::dateFrom(2026, 3, 30, 0, 0, 0, "Europe/Paris")},
        {"Europe/Paris", time::dateFrom(2026, 10, 25, 23, 0, 0, "Europe/Paris"),
         time::dateFrom(2026, 10, 26, 0, 0, 0, "Europe/Paris")},
    };
    CountdownTimelineProvider provider;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now.sinceReferenceDate);
        ZoneScope zone(c.zone);
        test::FakeClock clock(c.now);
        for (const auto& target : {std::optional<Date>(), std::optional<Date>(c.now - 86400 * 3)}) {
            const auto t = provider.timeline(countdown(target), context());
            ASSERT_EQ(t.entries.size(), 1u);
            EXPECT_EQ(t.entries[0].date, c.now);
            EXPECT_EQ(t.entries[0].data.first, "Trip");
            EXPECT_EQ(t.entries[0].data.second, target);
            EXPECT_EQ(t.entries[0].surface, SurfaceOption::glass);
            EXPECT_EQ(t.policy, TimelineReloadPolicy::after(c.reload));
        }
    }
    // A 23-hour day between the two Paris midnights.
    EXPECT_EQ(time::dateFrom(2026, 3, 30, 0, 0, 0, "Europe/Paris") - time::dateFrom(2026, 3, 29, 0, 0, 0, "Europe/Paris"),
              23 * 3600);
}

TEST(CountdownTimelineProvider, PlaceholderCountsToLaunchAndTheGalleryShowsTheConfiguration) {
    const Date now = time::dateFrom(2026, 5, 7, 15, 0, 0, "UTC");
    test::FakeClock clock(now);
    CountdownTimelineProvider provider;
    const auto placeholder = provider.placeholder(context());
    EXPECT_EQ(placeholder.data.first, "Launch");
    EXPECT_EQ(placeholder.data.second, time::dateFrom(2026, 5, 19, 15, 0, 0, "UTC"));
    EXPECT_EQ(placeholder.surface, SurfaceOption::followApp);
    for (bool preview : {true, false}) {
        const auto e = provider.snapshot(countdown(now + 100), context(preview));
        EXPECT_EQ(e.data.first, "Trip");
        EXPECT_EQ(e.data.second, now + 100);
        EXPECT_EQ(e.surface, SurfaceOption::glass);
    }
}

class FocusTimelineProviderTest : public ::testing::Test {
protected:
    const Date now = Date::fromUnix(1778180400);
    test::FreshStorage storage;
    test::FakeClock clock{now};
    FocusTimelineProvider provider;
};

TEST_F(FocusTimelineProviderTest, ReloadsAtARunningSessionsEndElseAfterAnHour) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        FocusSession shown;
        Date reload;
    };
    const auto json = [](const FocusSession& s) { return *coding::encode(s); };
    const Case cases[] = {
        {"nothing stored", std::nullopt, {std::nullopt, 25}, now + 3600},
        {"ending in ten minutes", json({now + 600, 25}), {now + 600, 25}, now + 600},
        {"ended a minute ago", json({now - 60, 30}), {now - 60, 30}, now + 3600},
        {"stopped", json({std::nullopt, 50}), {std::nullopt, 50}, now + 3600},
        {"unreadable", std::string(R"({"minutes":"25"})"), {std::nullopt, 25}, now + 3600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto suite = SharedStorage::suite();
        if (c.stored)
            suite.setData(StorageKeys::focus, *c.stored);
        else
            suite.remove(StorageKeys::focus);
        const auto t = provider.timeline(surface(SurfaceOption::solid), context(true)); // previews are not consulted
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.entries[0].data, c.shown);
        EXPECT_EQ(t.entries[0].surface, SurfaceOption::solid);
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(c.reload));
    }
}

TEST_F(FocusTimelineProviderTest, GalleryShowsTheSampleAndAPlacedSnapshotTheStoredSession) {
    ASSERT_TRUE(SharedStorage::write(StorageKeys::focus, FocusSession{std::nullopt, 40}));
    EXPECT_EQ(provider.placeholder(context()).data, FocusSession::sample());
    EXPECT_EQ(provider.placeholder(context()).surface, SurfaceOption::followApp);
    EXPECT_EQ(provider.snapshot(surface(SurfaceOption::glass), context(true)).data, FocusSession::sample());
    const auto placed = provider.snapshot(surface(SurfaceOption::glass), context(false));
    EXPECT_EQ(placed.data, (FocusSession{std::nullopt, 40}));
    EXPECT_EQ(placed.surface, SurfaceOption::glass);
}
