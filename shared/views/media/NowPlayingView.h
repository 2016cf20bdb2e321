#pragma once
// The track playing: an equaliser mark, title, artist and time, the three
// transport buttons and a progress bar that runs by itself while the track
// plays. Without a snapshot it invites the user to play something.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NowPlayingSnapshot.h"

#include <optional>
#include <string>

namespace plyx {

struct NowPlayingView {
    std::optional<NowPlayingSnapshot> data;
    WCtx ctx;

    /// "Artist · 1:05 / 3:45", or only the duration before anything has played.
    static std::string subtitle(const std::optional<NowPlayingSnapshot>& data);
    /// The played share drawn by the still bar; 0 without a length.
    static double stillFraction(const std::optional<NowPlayingSnapshot>& data);
    /// Whether the bar runs with the clock: playing a track with a length.
    static bool isLive(const std::optional<NowPlayingSnapshot>& data);

    ui::View body() const;

private:
    ui::View equaliser() const;
    ui::View progress() const;
};

} // namespace plyx
