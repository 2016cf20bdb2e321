#include "platform/time/Time.h"
#include "widgets/timelines/ClockProviders.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using widgetkit::TimelineProviderContext;
using widgetkit::TimelineReloadPolicy;

// The clock at `d`; the zone a test sets goes back to UTC afterwards.
struct FixedClock : test::FakeClock {
    explicit FixedClock(Date d) : test::FakeClock(d) {}
    ~FixedClock() { time::setCurrentZone("UTC"); }
};

TEST(ClockProviders, AnHourOfMinutesFromTheStartOfThisOne) {
    // In a zone half an hour off whole hours, across New York's spring change: minutes stay 60 s apart.
    struct Case {
        const char* zone;
        Date requested, first;
    };
    const Case cases[] = {
        {"UTC", time::dateFrom(2026, 1, 5, 10, 15, 42.5, "UTC"), time::dateFrom(2026, 1, 5, 10, 15, 0, "UTC")},
        {"Asia/Kolkata", time::dateFrom(2026, 1, 5, 10, 15, 42, "Asia/Kolkata"),
         time::dateFrom(2026, 1, 5, 10, 15, 0, "Asia/Kolkata")},
        {"America/New_York", time::dateFrom(2026, 3, 8, 1, 30, 0, "America/New_York"),
         time::dateFrom(2026, 3, 8, 1, 30, 0, "America/New_York")},
    };
    ClockConfigIntent intent;
    intent.city = TimeZoneEntity{"Asia/Tokyo"};
    intent.surface = SurfaceOption::accent;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        FixedClock clock(c.requested);
        time::setCurrentZone(c.zone);
        const auto t = ClockProvider{}.timeline(intent, {});
        ASSERT_EQ(t.entries.size(), 60u);
        EXPECT_EQ(t.policy, TimelineReloadPolicy::atEnd());
        for (size_t i = 0; i < t.entries.size(); ++i) {
            EXPECT_EQ(t.entries[i].date, c.first + 60.0 * double(i)) << i;
            EXPECT_EQ(t.entries[i].data, intent);
            EXPECT_EQ(t.entries[i].surface, SurfaceOption::accent);
        }
    }
    const Date requested = time::dateFrom(2026, 1, 5, 10, 15, 42, "UTC");
    FixedClock clock(requested);
    const auto t = ClockProvider{}.timeline(intent, {});
    EXPECT_EQ(time::formatPOSIX(t.entries.back().date, "HH:mm:ss", "UTC"), "11:14:00");
}

TEST(ClockProviders, PlaceholderIsUnconfiguredSnapshotIsConfigured) {
    const Date now = time::dateFrom(2026, 1, 5, 10, 15, 42, "UTC");
    FixedClock clock(now);
    WorldClockConfigIntent world;
    world.city2 = TimeZoneEntity{"Europe/Paris"};
    world.surface = SurfaceOption::glass;
    for (const bool preview : {false, true}) {
        TimelineProviderContext ctx;
        ctx.isPreview = preview;
        const auto placeholder = WorldClockProvider{}.placeholder(ctx);
        EXPECT_EQ(placeholder.date, now);
        EXPECT_EQ(placeholder.data, WorldClockConfigIntent{});
        EXPECT_EQ(placeholder.surface, SurfaceOption::followApp);
        const auto snapshot = WorldClockProvider{}.snapshot(world, ctx);
        EXPECT_EQ(snapshot.date, now);
        EXPECT_EQ(snapshot.data, world);
        EXPECT_EQ(snapshot.surface, SurfaceOption::glass);
    }
    DualClockConfigIntent dual;
    dual.surface = SurfaceOption::solid;
    const auto d = DualClockProvider{}.timeline(dual, {});
    ASSERT_EQ(d.entries.size(), 60u);
    EXPECT_EQ(d.entries[0].surface, SurfaceOption::solid);
}

} // namespace
} // namespace plyx
