#pragma once
// The track the music player plays, as the application's listener last saw it.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <string>

namespace plyx {

struct NowPlayingSnapshot {
    std::string title;
    std::string artist;
    std::int64_t positionSeconds = 0;  ///< at the moment `updated`
    std::int64_t durationSeconds = 0;
    bool isPlaying = false;
    Date updated;

    /// A playing preview track, made once per process on first use.
    static const NowPlayingSnapshot& sample();

    bool operator==(const NowPlayingSnapshot&) const = default;
};

PLYX_CODABLE(NowPlayingSnapshot, title, artist, positionSeconds, durationSeconds, isPlaying, updated)

} // namespace plyx
