#pragma once
// The hand-over of what the application sees of the music player and the
// mail inbox to the widgets, through the shared suite. Having no snapshot is
// a state of its own: writing none removes the key, so a reader can tell
// "nothing playing" from an old record. Every access opens the suite afresh.
#include "shared/models/InboxSnapshot.h"
#include "shared/models/NowPlayingSnapshot.h"

#include <optional>

namespace plyx::MediaBridge {

/// The stored now-playing snapshot; none when absent or undecodable.
std::optional<NowPlayingSnapshot> nowPlaying();
/// Stores the snapshot, or removes the key for none. A snapshot that cannot
/// be encoded removes the key too, rather than leaving an older track.
void setNowPlaying(const std::optional<NowPlayingSnapshot>& snapshot);

/// The stored inbox snapshot; none when absent or undecodable.
std::optional<InboxSnapshot> inbox();
/// Stores the snapshot, or removes the key for none (the mail poller stopped).
void setInbox(const std::optional<InboxSnapshot>& snapshot);

} // namespace plyx::MediaBridge
