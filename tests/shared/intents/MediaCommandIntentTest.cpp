#include "shared/intents/MediaCommandIntent.h"

#include "platform/bus/Bus.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "shared/stores/MediaBridge.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plyx;

namespace {

constexpr Date kNow{800'000'000};

NowPlayingSnapshot track(std::int64_t position, std::int64_t duration, bool playing, double updatedAgo) {
    return NowPlayingSnapshot{"Song", "Artist", position, duration, playing, kNow - updatedAgo};
}

TEST(MediaCommandIntent, PlayPauseMovesThePositionOnFlipsAndStampsNow) {
    struct Case {
        const char* name;
        NowPlayingSnapshot before;
        std::int64_t position;
    };
    const Case cases[] = {
        {"playing, 30 s ago", track(100, 240, true, 30), 130},
        {"playing, 200 s ago: held to the end", track(100, 240, true, 200), 240},
        {"paused: kept", track(100, 240, false, 30), 100},
        {"paused past the end: held", track(300, 240, false, 30), 240},
        {"updated ahead of now: nothing added", track(100, 240, true, -50), 100},
        // A stream without a length has no end: the position is not reset to 0.
        {"stream without a length", track(100, 0, true, 30), 130},
        // Damaged positions and durations are held to a day before the sum.
        {"a position near the integer limit", track(std::numeric_limits<std::int64_t>::max() - 5, 0, true, 30),
         NowPlayingSnapshot::kLongestSeconds + 30},
        {"a negative position", track(std::numeric_limits<std::int64_t>::min(), 240, true, 30), 30},
        {"a duration near the integer limit", track(100, std::numeric_limits<std::int64_t>::max(), true, 30), 130},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto after = MediaCommandIntent::toggled(c.before, kNow);
        EXPECT_EQ(after.positionSeconds, c.position);
        EXPECT_EQ(after.isPlaying, !c.before.isPlaying);
        EXPECT_EQ(after.updated, kNow);
        EXPECT_EQ(after.title, "Song");
    }
}

TEST(MediaCommandIntent, CarriedByTheButtonAndRebuilt) {
    const auto& d = MediaCommandIntent::descriptor();
    EXPECT_EQ(d.title, "Control Music");
    ASSERT_EQ(d.parameters.size(), 1u);
    EXPECT_EQ(d.parameters[0].title, "Command");
    EXPECT_EQ(MediaCommandIntent().command, "playpause");
    intents::IntentRegistry registry;
    registerMediaCommandIntent(registry);
    for (const std::string command : {"previous", "playpause", "next"}) {
        std::string error;
        auto rebuilt = registry.rebuild(intents::serialise(MediaCommandIntent(command)), &error);
        ASSERT_NE(rebuilt, nullptr) << error;
        EXPECT_EQ(dynamic_cast<MediaCommandIntent&>(*rebuilt).command, command);
    }
}

// Every command posts its notification; only play/pause with a stored track
// changes the store and reloads the two widgets.
TEST(MediaCommandIntent, PostsEveryCommandAndReloadsOnlyForAStoredPlayPause) {
    if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
    test::coreApp();
    test::FreshStorage storage;
    test::FakeClock clock(kNow);
    AppIdentity::configurePlatform(AppIdentity::Program::extension);
    std::vector<std::string> heard;
    widgetkit::WidgetReloadListener reloads(
        [&](const std::optional<std::string>& kind) { heard.push_back("reload " + kind.value_or("all")); });
    std::vector<std::unique_ptr<bus::Observation>> posts;
    for (const std::string command : {"playpause", "next", "previous"})
        posts.push_back(bus::observe("com.zelvanedesigns.plyx.media." + command,
                                     [&heard, command] { heard.push_back("media " + command); }));
    ASSERT_TRUE(reloads.isListening());

    // Nothing stored: play/pause only posts.
    MediaCommandIntent("playpause").perform();
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 1; }));
    EXPECT_EQ(heard, (std::vector<std::string>{"media playpause"}));
    EXPECT_FALSE(MediaBridge::nowPlaying().has_value());

    const auto stored = track(100, 240, true, 30);
    MediaBridge::setNowPlaying(stored);
    heard.clear();
    MediaCommandIntent("next").perform();
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 1; }));
    EXPECT_EQ(heard, (std::vector<std::string>{"media next"}));
    EXPECT_EQ(MediaBridge::nowPlaying(), stored);

    heard.clear();
    MediaCommandIntent("playpause").perform();
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 3; }));
    EXPECT_EQ(heard, (std::vector<std::string>{"reload plyx.nowplaying", "reload plyx.remote", "media playpause"}));
    EXPECT_EQ(MediaBridge::nowPlaying(), MediaCommandIntent::toggled(stored, kNow));
}

} // namespace
