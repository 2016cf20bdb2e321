#include "shared/stores/MediaBridge.h"

#include "shared/storage/SharedStorage.h"

namespace plyx::MediaBridge {

namespace {
template <class T> void store(const char* key, const std::optional<T>& snapshot) {
    if (snapshot && SharedStorage::write(key, *snapshot)) return;
    SharedStorage::remove(key);
}
} // namespace

std::optional<NowPlayingSnapshot> nowPlaying() { return SharedStorage::read<NowPlayingSnapshot>(StorageKeys::nowPlaying); }

void setNowPlaying(const std::optional<NowPlayingSnapshot>& snapshot) { store(StorageKeys::nowPlaying, snapshot); }

std::optional<InboxSnapshot> inbox() { return SharedStorage::read<InboxSnapshot>(StorageKeys::inbox); }

void setInbox(const std::optional<InboxSnapshot>& snapshot) { store(StorageKeys::inbox, snapshot); }

} // namespace plyx::MediaBridge
