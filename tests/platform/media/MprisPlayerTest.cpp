// The music player over MPRIS, against fake players on the test's private
// session bus: which player is followed, what is read of it, the commands,
// the change events, and the two forms the listener reads.
#include "platform/media/MprisPlayer.h"
#include "platform/media/PlayerForms.h"

#include "tests/support/bus/PrivateBus.h"
#include "tests/support/media/FakeMprisPlayer.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using media::PlaybackState;
using Track = test::FakeMprisPlayer::Track;

class Mpris : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
    }
    std::unique_ptr<test::FakeMprisPlayer> player(const QString& id, Track t) {
        auto p = std::make_unique<test::FakeMprisPlayer>(QString::fromStdString(test::privateBusAddress()), id, t);
        EXPECT_TRUE(p->isOnBus());
        return p;
    }
};

TEST_F(Mpris, NoPlayerRunsNothingIsReadAndCommandsFail) {
    media::MprisPlayer mpris;
    EXPECT_FALSE(mpris.isRunning());
    EXPECT_EQ(mpris.status(), std::nullopt);
    EXPECT_EQ(mpris.position(), std::nullopt);
    EXPECT_FALSE(mpris.playPause());
    EXPECT_EQ(mpris.followedPlayer(), "");
}

TEST_F(Mpris, ReadsStatePositionLengthTitleAndArtists) {
    auto fake = player("reader", {"Paused", 83'500'000, 245'900'000, "Song", QStringList{"A", "B"}});
    media::MprisPlayer mpris;
    EXPECT_TRUE(mpris.isRunning());
    const auto s = mpris.status();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->state, PlaybackState::Paused);
    EXPECT_DOUBLE_EQ(s->positionSeconds, 83.5);
    EXPECT_DOUBLE_EQ(s->durationSeconds, 245.9);
    EXPECT_EQ(s->title, "Song");
    EXPECT_EQ(s->artist, "A, B");
    EXPECT_DOUBLE_EQ(mpris.position().value_or(-1), 83.5);

    // A stream without a length and a track without an artist.
    fake->setTrack({"Playing", 5'000'000, std::nullopt, "Radio", std::nullopt});
    const auto stream = mpris.status();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->state, PlaybackState::Playing);
    EXPECT_EQ(stream->durationSeconds, 0);
    EXPECT_EQ(stream->artist, "");
}

TEST_F(Mpris, FollowsThePlayingPlayerThenTheOneThatPlayedLastElseTheFirst) {
    auto a = player("aaa", {"Paused", 0, 1, "A", {}});
    auto b = player("bbb", {"Stopped", 0, 1, "B", {}});
    media::MprisPlayer mpris;
    EXPECT_EQ(mpris.followedPlayer(), "org.mpris.MediaPlayer2.aaa");  // none ever played: the first

    b->setTrack({"Playing", 0, 1, "B", {}});
    EXPECT_EQ(mpris.followedPlayer(), "org.mpris.MediaPlayer2.bbb");  // the one playing

    b->setTrack({"Paused", 0, 1, "B", {}});
    EXPECT_EQ(mpris.followedPlayer(), "org.mpris.MediaPlayer2.bbb");  // played last, though not first
    EXPECT_EQ(mpris.status()->title, "B");

    b->quit();
    ASSERT_TRUE(test::spinUntil([&] { return mpris.followedPlayer() == "org.mpris.MediaPlayer2.aaa"; }));
}

TEST_F(Mpris, CommandsReachTheFollowedPlayer) {
    auto fake = player("commands", {"Playing", 0, 1, "T", {}});
    media::MprisPlayer mpris;
    EXPECT_TRUE(mpris.playPause());
    EXPECT_TRUE(mpris.next());
    EXPECT_TRUE(mpris.next());
    EXPECT_TRUE(mpris.previous());
    EXPECT_EQ(fake->calls("PlayPause"), 1);
    EXPECT_EQ(fake->calls("Next"), 2);
    EXPECT_EQ(fake->calls("Previous"), 1);
}

TEST_F(Mpris, ChangesStartsAndQuitsAreSignalled) {
    media::MprisPlayer mpris;
    int changes = 0;
    QObject::connect(&mpris, &media::MusicPlayer::changed, [&] { ++changes; });
    auto fake = player("signals", {"Playing", 0, 1, "T", {}});
    ASSERT_TRUE(test::spinUntil([&] { return changes >= 1; }));  // started

    const int before = changes;
    fake->announce();
    ASSERT_TRUE(test::spinUntil([&] { return changes > before; }));

    const int beforeQuit = changes;
    fake->quit();
    ASSERT_TRUE(test::spinUntil([&] { return changes > beforeQuit; }));
    EXPECT_FALSE(mpris.isRunning());
}

TEST(PlayerForms, ReplyAndPlayerInfoCarryTheReading) {
    const media::PlayerStatus playing{PlaybackState::Playing, 83.5, 245, "T", ""};
    EXPECT_EQ(media::scriptReply(playing), std::string("playing\x1f" "83.5\x1f" "245\x1fT\x1f"));
    EXPECT_EQ(media::scriptReply({PlaybackState::Stopped, 1, 2, "T", "A"}), "stopped");
    EXPECT_EQ(media::scriptReply({PlaybackState::Paused, 0, 0, "T", "A"}), std::string("paused\x1f" "0\x1f" "0\x1fT\x1f" "A"));

    const QVariantMap info = media::playerInfo(media::PlayerStatus{PlaybackState::Paused, 1, 245.9, "T", "A"});
    EXPECT_EQ(info.value("Player State").toString(), "Paused");
    EXPECT_EQ(info.value("Total Time").toLongLong(), 245900);
    EXPECT_EQ(info.value("Name").toString(), "T");
    EXPECT_EQ(info.value("Artist").toString(), "A");
    // A stream has no total time; no player gives no state at all.
    EXPECT_FALSE(media::playerInfo(media::PlayerStatus{PlaybackState::Playing, 1, 0, "R", ""}).contains("Total Time"));
    EXPECT_TRUE(media::playerInfo(std::nullopt).isEmpty());
}

} // namespace
} // namespace plyx
