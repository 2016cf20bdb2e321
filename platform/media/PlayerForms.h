#pragma once
// The two forms in which the listener reads the player, built from one
// reading: the one-line reply (state, position, duration, title and artist
// joined by the unit separator, or "stopped") and the player-info record
// ("Player State", "Total Time" in milliseconds, "Name", "Artist").
#include "platform/media/MusicPlayer.h"

#include <QVariantMap>

#include <optional>
#include <string>

namespace plyx::media {

/// The separator between the reply's fields (character 31).
inline constexpr char kUnitSeparator = '\x1f';

/// "stopped" for a stopped player; else "playing" or "paused", position,
/// duration (decimal numbers with a point), title and artist.
std::string scriptReply(const PlayerStatus& status);

/// The player-info record; for no player, one without "Player State".
QVariantMap playerInfo(const std::optional<PlayerStatus>& status);

} // namespace plyx::media
