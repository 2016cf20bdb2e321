#include "widgets/timelines/NowPlayingProvider.h"

#include "shared/stores/MediaBridge.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plyx;

namespace {

constexpr Date kNow{800'000'000};

NowPlayingSnapshot track(std::int64_t position, std::int64_t duration, bool playing, double updatedAgo) {
    return NowPlayingSnapshot{"Song", "A", position, duration, playing, kNow - updatedAgo};
}

std::vector<std::int64_t> positions(const std::vector<NowPlayingProvider::Entry>& entries) {
    std::vector<std::int64_t> out;
    for (const auto& e : entries) out.push_back(e.data ? e.data->positionSeconds : -1);
    return out;
}

} // namespace

TEST(NowPlayingProvider, APlayingTrackMovesOnEveryFifteenSecondsToItsEnd) {
    struct Case {
        const char* name;
        std::optional<NowPlayingSnapshot> stored;
        std::vector<std::int64_t> want;
    };
    std::vector<std::int64_t> long20, from110, toTheEnd;
    for (int i = 0; i < 20; ++i) long20.push_back(15 * i);
    for (int i = 0; i < 20; ++i) from110.push_back(110 + 15 * i);
    for (int i = 0; i <= 16; ++i) toTheEnd.push_back(15 * i);
    toTheEnd.push_back(245);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    const Case cases[] = {
        {"100 of 245, 10 s ago", track(100, 245, true, 10), {110, 125, 140, 155, 170, 185, 200, 215, 230, 245}},
        {"0 of 3600, just now", track(0, 3600, true, 0), long20},
        {"paused", track(100, 245, false, 10), {100}},
        {"a stream without a length", track(100, 0, true, 10), {100}},
        {"updated ahead", track(240, 245, true, -60), {240, 245}},
        {"past the end", track(300, 245, true, 0), {245}},
        {"nothing stored", std::nullopt, {-1}},
        // Damaged values are held to a day before they are summed.
        {"a position near the integer limit", track(kMax - 5, 245, true, 10), {245}},
        {"the most negative position", track(kMin, 245, true, 0), toTheEnd},
        {"a duration near the integer limit", track(100, kMax, true, 10), from110},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entries = NowPlayingProvider::entries(c.stored, kNow, SurfaceOption::glass);
        EXPECT_EQ(positions(entries), c.want);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].date, kNow + 15.0 * double(i));
            EXPECT_EQ(entries[i].surface, SurfaceOption::glass);
        }
    }
}

// A view counts on from `updated`: each moved-on copy must be stamped at its
// own date, or the time since the stored snapshot would be counted twice.
TEST(NowPlayingProvider, MovedOnCopiesAreStampedAtTheirOwnDate) {
    const auto entries = NowPlayingProvider::entries(track(100, 245, true, 10), kNow, SurfaceOption::followApp);
    ASSERT_GT(entries.size(), 2u);
    for (const auto& e : entries) {
        ASSERT_TRUE(e.data);
        EXPECT_EQ(e.data->updated, e.date);
        // Where the bar starts counting from stays the same moment for every entry.
        EXPECT_DOUBLE_EQ((e.data->updated - double(e.data->positionSeconds)).sinceReferenceDate,
                         (kNow - 110.0).sinceReferenceDate);
    }
}

TEST(NowPlayingProvider, TimelineReadsTheStoreAndPreviewsShowTheSample) {
    test::FreshStorage storage;
    test::FakeClock clock(kNow);
    MediaBridge::setNowPlaying(track(100, 245, false, 10));
    const auto t = NowPlayingProvider{}.timeline(SurfaceConfigIntent{}, {});
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].data->positionSeconds, 100);
    EXPECT_EQ(t.policy, widgetkit::TimelineReloadPolicy::after(kNow + 120));

    widgetkit::TimelineProviderContext preview;
    preview.isPreview = true;
    EXPECT_EQ(NowPlayingProvider{}.snapshot(SurfaceConfigIntent{}, preview).data, NowPlayingSnapshot::sample());
    EXPECT_EQ(NowPlayingProvider{}.snapshot(SurfaceConfigIntent{}, {}).data->positionSeconds, 100);
    EXPECT_EQ(NowPlayingProvider{}.placeholder({}).surface, SurfaceOption::followApp);
}
