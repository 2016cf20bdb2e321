#pragma once
// The media group: the track the music player plays with its transport
// buttons, and the remote with the buttons alone, on one provider.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

// clang-format off
//                                          kind               display name   description                       family   tone
inline constexpr WidgetRow NowPlayingWidget{"plyx.nowplaying", "Now Playing", "What's playing in Apple Music.", kMedium, kDark};
inline constexpr WidgetRow RemoteWidget    {"plyx.remote",     "Remote",      "Play, pause and skip Apple Music.", kSmall, kDark};
// clang-format on

/// The two widgets with the now-playing provider and their views.
std::vector<DeclaredWidget> mediaWidgets();

} // namespace plyx
