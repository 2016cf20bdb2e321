#include "shared/views/media/NowPlayingView.h"

#include "platform/ui/Timers.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/MediaCommandIntent.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/media/MediaButton.h"

#include <algorithm>
#include <cstdio>

namespace plyx {

namespace {
constexpr const char* kTitle = "Now playing";
constexpr const char* kNothing = "Nothing playing";
constexpr const char* kInvite = "Play something in Music";
constexpr const char* kSeparator = " \u00B7 ";
constexpr double kPausedOpacity = 0.35;

// Whole minutes (not zero-filled, past 59 for long tracks) and seconds.
std::string clock(std::int64_t s) {
    const std::int64_t minutes = s / 60;
    char secs[8];
    std::snprintf(secs, sizeof secs, "%02d", static_cast<int>(s - 60 * minutes));
    return std::to_string(minutes) + ":" + secs;
}
} // namespace

std::string NowPlayingView::subtitle(const std::optional<NowPlayingSnapshot>& data) {
    if (!data) return kInvite;
    if (data->positionSeconds > 0)
        return data->artist + kSeparator + clock(data->positionSeconds) + " / " + clock(data->durationSeconds);
    return data->artist + kSeparator + clock(data->durationSeconds);
}

double NowPlayingView::stillFraction(const std::optional<NowPlayingSnapshot>& data) {
    if (!data || data->durationSeconds <= 0) return 0;
    return static_cast<double>(data->positionSeconds) / static_cast<double>(data->durationSeconds);
}

bool NowPlayingView::isLive(const std::optional<NowPlayingSnapshot>& data) {
    return data && data->isPlaying && data->durationSeconds > 0;
}

ui::View NowPlayingView::equaliser() const {
    const double u = ctx.u;
    std::vector<ui::View> bars;
    for (const double h : {7.0, 13.0, 5.0, 10.0})
        bars.push_back(ui::Rectangle().fill(ctx.pal.ink).frame(4 * u, h * u));
    return ui::HStack(std::move(bars), ui::VerticalAlignment::bottom, 3 * u)
        .frame(std::nullopt, 14 * u, ui::Alignment::bottom)
        .opacity(data && !data->isPlaying ? kPausedOpacity : 1.0);
}

ui::View NowPlayingView::progress() const {
    const double u = ctx.u;
    if (isLive(data)) {
        const Date start = data->updated - static_cast<double>(data->positionSeconds);
        return ui::TimerProgress(start, start + static_cast<double>(data->durationSeconds), false, ctx.pal.accent)
            .frame(std::nullopt, 4 * u);
    }
    const double f = stillFraction(data);
    const ui::Color track = ctx.pal.track, accent = ctx.pal.accent;
    return ui::GeometryReader([f, u, track, accent](ui::Size size) {
               return ui::ZStack({ui::Capsule().fill(track),
                                  ui::Capsule().fill(accent).frame(std::max(4 * u, size.width * f), size.height)},
                                 ui::Alignment::leading);
           })
        .frame(std::nullopt, 4 * u);
}

ui::View NowPlayingView::body() const {
    const double u = ctx.u;
    ui::View header = ui::HStack({Caption{kTitle, 10, 0.16, ctx.pal.inkDim, ctx}, ui::Spacer(), equaliser()},
                                 ui::VerticalAlignment::center);
    ui::View title = ui::Text(data ? data->title : kNothing)
                         .font(ctx.theme.labels == ThemeSettings::LabelStyle::systemSans
                                   ? ui::Font::system(14 * u, ui::FontWeight::medium)
                                   : PlyxFonts::label(14 * u, ctx.theme.labels))
                         .foregroundColor(data ? ctx.pal.ink : ctx.pal.inkDim)
                         .lineLimit(1);
    ui::View text = ui::VStack({title, Caption{subtitle(data), 10, 0, ctx.pal.inkDim, ctx}},
                               ui::HorizontalAlignment::leading, 3 * u);
    ui::View transport = ui::HStack({MediaButton{MediaCommandIntent::previous, false, 26, ctx},
                                     MediaButton{MediaCommandIntent::playPause, data && data->isPlaying, 32, ctx},
                                     MediaButton{MediaCommandIntent::next, false, 26, ctx}},
                                    ui::VerticalAlignment::center, 10 * u);
    ui::View track = ui::HStack({text, ui::Spacer(10 * u), transport}, ui::VerticalAlignment::center)
                         .padding(ui::Edges::top, 10 * u);
    return ui::VStack({header, track, ui::Spacer(0), progress()}, ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
