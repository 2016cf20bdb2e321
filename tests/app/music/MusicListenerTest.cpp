// The music listener against a fake MPRIS player on the test's private bus:
// the reply's fields, the drift rule that decides a reload, clearing when the
// player stops or quits, the player's change events, and the commands posted
// by the widgets reaching the player.
#include "app/music/MusicListener.h"

#include "platform/bus/Bus.h"
#include "platform/media/MprisPlayer.h"
#include "platform/time/Time.h"
#include "shared/stores/MediaBridge.h"

#include "tests/support/bus/PrivateBus.h"
#include "tests/support/TestSupport.h"
#include "tests/support/media/FakeMprisPlayer.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using Track = test::FakeMprisPlayer::Track;
const Date kNow = Date::fromReference(800'000'000);

TEST(MusicReply, FieldsAreReadAsTheListenerStoresThem) {
    struct Case {
        std::string reply;
        std::optional<NowPlayingSnapshot> expected;
    };
    const Case cases[] = {
        // decimal commas, truncated toward zero
        {"playing\x1f" "83,5\x1f" "245,9\x1fSong\x1f" "Band", NowPlayingSnapshot{"Song", "Band", 83, 245, true, kNow}},
        // empty title and artist are still five fields
        {"paused\x1f" "1\x1f" "2\x1f\x1f", NowPlayingSnapshot{"", "", 1, 2, false, kNow}},
        // the artist keeps further separators
        {"playing\x1f" "1\x1f" "2\x1fT\x1f" "A\x1f" "B", NowPlayingSnapshot{"T", "A\x1f" "B", 1, 2, true, kNow}},
        // unreadable times, blanks included, are 0
        {"playing\x1f 83\x1f" "abc\x1fT\x1f" "A", NowPlayingSnapshot{"T", "A", 0, 0, true, kNow}},
        {"playing\x1f" "1\x1f" "2\x1fT", std::nullopt},
        {"garbage", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(MusicListener::snapshotFromReply(c.reply, kNow), c.expected) << c.reply;
}

class Listener : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
        time::setClock([] { return kNow; });
        MediaBridge::setNowPlaying(std::nullopt);
        mpris = std::make_unique<media::MprisPlayer>();
        listener = std::make_unique<MusicListener>(*mpris, [this](const std::string& k) { reloads.push_back(k); });
        listener->setFollowUpDelayMs(0);
    }
    void TearDown() override { time::setClock({}); }

    std::unique_ptr<test::FakeMprisPlayer> player(Track t, const QString& id = "fake") {
        auto p = std::make_unique<test::FakeMprisPlayer>(QString::fromStdString(test::privateBusAddress()), id, t);
        EXPECT_TRUE(p->isOnBus());
        return p;
    }
    static Track playing(qlonglong seconds, const QString& title = "Song") {
        return {"Playing", seconds * 1'000'000, 240'000'000, title, QStringList{"Band"}};
    }
    const std::vector<std::string> both{"plyx.nowplaying", "plyx.remote"};

    std::unique_ptr<media::MprisPlayer> mpris;
    std::unique_ptr<MusicListener> listener;
    std::vector<std::string> reloads;
};

TEST_F(Listener, NoPlayerAndNothingStoredWritesAndReloadsNothing) {
    listener->syncFromMusic();
    EXPECT_EQ(MediaBridge::nowPlaying(), std::nullopt);
    EXPECT_TRUE(reloads.empty());
}

TEST_F(Listener, ASyncReloadsOnlyOnAVisibleChange) {
    struct Case {
        const char* what;
        NowPlayingSnapshot previous;
        Track now;
        bool reload;
    };
    const Case cases[] = {
        {"drift 3", {"Song", "Band", 100, 240, true, kNow - 10}, playing(113), false},
        {"drift 4", {"Song", "Band", 100, 240, true, kNow - 10}, playing(114), true},
        {"paused and unchanged", {"Song", "Band", 100, 240, false, kNow - 5000},
         {"Paused", 100'000'000, 240'000'000, "Song", QStringList{"Band"}}, false},
        {"only the duration", {"Song", "Band", 100, 999, true, kNow}, playing(100), false},
        {"another title", {"Old", "Band", 100, 240, true, kNow}, playing(100), true},
        {"paused now", {"Song", "Band", 100, 240, true, kNow}, {"Paused", 100'000'000, 240'000'000, "Song", QStringList{"Band"}}, true},
        // a stored moment in the future moves the expected position back
        {"future updated", {"Song", "Band", 100, 240, true, kNow + 20}, playing(100), true},
    };
    auto fake = player(playing(0));
    for (const auto& c : cases) {
        MediaBridge::setNowPlaying(c.previous);
        fake->setTrack(c.now);
        reloads.clear();
        listener->syncFromMusic();
        const auto stored = MediaBridge::nowPlaying();
        ASSERT_TRUE(stored) << c.what;
        EXPECT_EQ(stored->positionSeconds, c.now.positionMicros / 1'000'000) << c.what;
        EXPECT_EQ(stored->updated, kNow) << c.what;
        EXPECT_EQ(reloads, c.reload ? both : std::vector<std::string>{}) << c.what;
    }
}

TEST_F(Listener, TracksWithoutArtistOrLengthAreStored) {
    auto fake = player({"Playing", 7'000'000, std::nullopt, "Radio", std::nullopt});
    listener->syncFromMusic();
    EXPECT_EQ(MediaBridge::nowPlaying(), (NowPlayingSnapshot{"Radio", "", 7, 0, true, kNow}));
    EXPECT_EQ(reloads, both);
}

TEST_F(Listener, PositionAndLengthReadTheSameUnderADecimalComma) {
    // A German session: the C library's numbers want "245,9", the reply says "245.9".
    test::ScopedCommaDecimals comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    auto fake = player({"Playing", 83'400'000, 245'900'000, "Song", QStringList{"Band"}});
    listener->syncFromMusic();
    EXPECT_EQ(MediaBridge::nowPlaying(), (NowPlayingSnapshot{"Song", "Band", 83, 245, true, kNow}));
    EXPECT_EQ(reloads, both);

    // Half a minute on, the player is half a minute further: a stats tick
    // stores the position and reloads nothing.
    const Date later = kNow + 30;
    time::setClock([later] { return later; });
    fake->setTrack({"Playing", 113'400'000, 245'900'000, "Song", QStringList{"Band"}});
    listener->syncFromMusic();
    EXPECT_EQ(MediaBridge::nowPlaying(), (NowPlayingSnapshot{"Song", "Band", 113, 245, true, later}));
    EXPECT_EQ(reloads, both);
}

TEST_F(Listener, AStoppedOrQuitPlayerClearsTheSnapshotOnce) {
    auto fake = player({"Stopped", 0, 1, "T", {}});
    MediaBridge::setNowPlaying(NowPlayingSnapshot::sample());
    listener->syncFromMusic();
    EXPECT_EQ(MediaBridge::nowPlaying(), std::nullopt);
    EXPECT_EQ(reloads, both);
    listener->syncFromMusic();  // already absent: nothing more
    EXPECT_EQ(reloads, both);

    // A player that quits is heard as a change and clears what was stored.
    fake->setTrack(playing(10));
    listener->start();
    ASSERT_TRUE(MediaBridge::nowPlaying());
    fake->quit();
    ASSERT_TRUE(test::spinUntil([] { return !MediaBridge::nowPlaying(); }));
}

TEST_F(Listener, PlayerInfoRecordsAreStoredAndAlwaysReload) {
    auto fake = player({"Paused", 42'900'000, 1, "T", {}});
    listener->handlePlayerInfo({{"Player State", "Paused"}, {"Total Time", qlonglong(245'999)}});
    EXPECT_EQ(MediaBridge::nowPlaying(), (NowPlayingSnapshot{"Unknown", "", 42, 245, false, kNow}));
    EXPECT_EQ(reloads, both);

    listener->handlePlayerInfo({{"Total Time", "not a number"}, {"Name", "X"}});  // no state: stopped
    EXPECT_EQ(MediaBridge::nowPlaying(), std::nullopt);
    EXPECT_EQ(reloads.size(), 4u);
}

TEST_F(Listener, ChangeEventsFromThePlayerUpdateTheSnapshot) {
    auto fake = player(playing(5, "First"));
    listener->start();
    ASSERT_EQ(MediaBridge::nowPlaying()->title, "First");
    fake->setTrack(playing(0, "Second"));
    fake->announce();
    ASSERT_TRUE(test::spinUntil([] { return MediaBridge::nowPlaying()->title == "Second"; }));
}

TEST_F(Listener, StartsOnceAndPostedCommandsReachThePlayer) {
    auto fake = player(playing(5));
    listener->start();
    EXPECT_EQ(listener->observerCount(), 3u);
    MediaBridge::setNowPlaying(std::nullopt);
    listener->start();  // no second registration, no second sync
    EXPECT_EQ(listener->observerCount(), 3u);
    EXPECT_EQ(MediaBridge::nowPlaying(), std::nullopt);

    for (const char* c : {"playpause", "next", "previous", "next"})
        ASSERT_TRUE(bus::post(std::string("com.zelvanedesigns.plyx.media.") + c));
    ASSERT_TRUE(test::spinUntil([&] { return fake->calls("Next") == 2; }));
    EXPECT_EQ(fake->calls("PlayPause"), 1);
    EXPECT_EQ(fake->calls("Previous"), 1);
    // Each command is followed by a sync.
    ASSERT_TRUE(test::spinUntil([] { return MediaBridge::nowPlaying().has_value(); }));

    listener->run("anything else");
    EXPECT_EQ(fake->calls("PlayPause"), 2);
}

} // namespace
} // namespace plyx
