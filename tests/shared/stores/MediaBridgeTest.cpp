#include "shared/stores/MediaBridge.h"

#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

TEST(MediaBridge, NowPlayingRoundTripAndRemoval) {
    test::FreshStorage storage;
    auto suite = [] { return SharedStorage::suite(); };
    EXPECT_FALSE(MediaBridge::nowPlaying());
    MediaBridge::setNowPlaying(std::nullopt); // absent stays absent
    EXPECT_FALSE(suite().contains(StorageKeys::nowPlaying));

    const NowPlayingSnapshot track{"Harbour Lights", "The Tides", 61, 245, true, Date{800000000.5}};
    MediaBridge::setNowPlaying(track);
    EXPECT_EQ(MediaBridge::nowPlaying(), track);
    EXPECT_EQ(suite().data(StorageKeys::nowPlaying),
              R"({"title":"Harbour Lights","artist":"The Tides","positionSeconds":61,"durationSeconds":245,)"
              R"("isPlaying":true,"updated":800000000.5})");

    MediaBridge::setNowPlaying(std::nullopt);
    EXPECT_FALSE(MediaBridge::nowPlaying());
    EXPECT_FALSE(suite().contains(StorageKeys::nowPlaying)); // gone, not an empty record

    // A record without "isPlaying" reads as none and stays until the next write.
    const std::string partial = R"({"title":"A","artist":"B","positionSeconds":1,"durationSeconds":2,"updated":3})";
    suite().setData(StorageKeys::nowPlaying, partial);
    EXPECT_FALSE(MediaBridge::nowPlaying());
    EXPECT_EQ(suite().data(StorageKeys::nowPlaying), partial);
}

TEST(MediaBridge, InboxRoundTripAndRemoval) {
    test::FreshStorage storage;
    const InboxSnapshot withPreview{3, "Ada: Final review", Date{100}, true, Date{220}};
    const InboxSnapshot notReadable{0, std::nullopt, std::nullopt, false, Date{300}};
    for (const auto& inbox : {withPreview, notReadable}) {
        MediaBridge::setInbox(inbox);
        EXPECT_EQ(MediaBridge::inbox(), inbox);
    }
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::inbox), R"({"unread":0,"connected":false,"updated":300})");
    MediaBridge::setInbox(std::nullopt);
    EXPECT_FALSE(MediaBridge::inbox());
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::inbox));
    SharedStorage::suite().setData(StorageKeys::inbox, "[]");
    EXPECT_FALSE(MediaBridge::inbox());
}

} // namespace
} // namespace plyx
