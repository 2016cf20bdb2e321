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

    /// No track is longer than a day: positions and durations beyond it (or
    /// below zero) are damage, and are held to it before any arithmetic.
    static constexpr std::int64_t kLongestSeconds = 24 * 60 * 60;
    /// This snapshot with its position and duration held to [0, kLongestSeconds].
    NowPlayingSnapshot held() const;

    bool operator==(const NowPlayingSnapshot&) const = default;
};

PLYX_CODABLE(NowPlayingSnapshot, title, artist, positionSeconds, durationSeconds, isPlaying, updated)

} // namespace plyx
