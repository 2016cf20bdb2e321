#include "shared/intents/MediaCommandIntent.h"

#include "platform/bus/Bus.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/stores/MediaBridge.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kNowPlayingKind = "plyx.nowplaying";
constexpr const char* kRemoteKind = "plyx.remote";
} // namespace

const intents::IntentDescriptor& MediaCommandIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor c;
        c.key = commandKey;
        c.title = commandTitle;
        c.kind = intents::ParameterKind::string;
        return intents::IntentDescriptor{typeName, title, {c}};
    }();
    return d;
}

std::unique_ptr<MediaCommandIntent> MediaCommandIntent::from(const intents::Configuration& config) {
    const auto& v = config.value(commandKey);
    return std::make_unique<MediaCommandIntent>(v.is_string() ? v.get<std::string>() : std::string(playPause));
}

NowPlayingSnapshot MediaCommandIntent::toggled(NowPlayingSnapshot stored, Date now) {
    // Held to a day, as the position and duration are: damaged values must not
    // overflow the sum.
    NowPlayingSnapshot s = stored.held();
    double played = s.isPlaying ? std::trunc(now.timeIntervalSince(s.updated)) : 0.0;
    played = std::clamp(played, 0.0, double(NowPlayingSnapshot::kLongestSeconds));
    std::int64_t position = s.positionSeconds + static_cast<std::int64_t>(played);
    // A stream without a length has no end to stop at.
    if (s.durationSeconds > 0) position = std::min(position, s.durationSeconds);
    s.positionSeconds = position;
    s.isPlaying = !s.isPlaying;
    s.updated = now;
    return s;
}

bool MediaCommandIntent::perform() {
    if (command == playPause) {
        if (auto stored = MediaBridge::nowPlaying()) {
            MediaBridge::setNowPlaying(toggled(*stored, time::now()));
            // Straight to the host: the application drives the player and
            // reloads for itself once it hears the command below.
            widgetkit::WidgetCenter::reloadTimelines(kNowPlayingKind);
            widgetkit::WidgetCenter::reloadTimelines(kRemoteKind);
        }
    }
    bus::post(notificationPrefix + command);
    return true;
}

void registerMediaCommandIntent(intents::IntentRegistry& registry) {
    if (!registry.contains(MediaCommandIntent::typeName)) registry.add<MediaCommandIntent>();
}

} // namespace plyx
