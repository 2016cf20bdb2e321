#include "shared/stores/MediaBridge.h"

#include "platform/base/TextLength.h"
#include "shared/storage/SharedStorage.h"

namespace plyx::MediaBridge {

namespace {
template <class T> void store(const char* key, const std::optional<T>& snapshot) {
    if (snapshot && SharedStorage::write(key, *snapshot)) return;
    SharedStorage::remove(key);
}
} // namespace

std::optional<NowPlayingSnapshot> nowPlaying() {
    auto snapshot = SharedStorage::read<NowPlayingSnapshot>(StorageKeys::nowPlaying);
    if (snapshot) snapshot = snapshot->held();
    return snapshot;
}

void setNowPlaying(const std::optional<NowPlayingSnapshot>& snapshot) { store(StorageKeys::nowPlaying, snapshot); }

std::optional<InboxSnapshot> inbox() {
    auto snapshot = SharedStorage::read<InboxSnapshot>(StorageKeys::inbox);
    if (snapshot && snapshot->latestPreview)
        snapshot->latestPreview = text::heldToLength(*snapshot->latestPreview, text::kMaxShownTextLength);
    return snapshot;
}

void setInbox(const std::optional<InboxSnapshot>& snapshot) { store(StorageKeys::inbox, snapshot); }

} // namespace plyx::MediaBridge
