#pragma once
// The button behind the transport controls of the now-playing and remote
// widgets. The widgets cannot reach the music player, so the intent asks the
// application to run the command ("com.zelvanedesigns.plyx.media." and the
// command), and for play/pause flips the stored snapshot at once so the
// widgets show the new state before the player has answered.
#include "platform/intents/AppIntent.h"
#include "platform/time/Date.h"
#include "shared/models/NowPlayingSnapshot.h"

#include <memory>
#include <string>

namespace plyx {

struct MediaCommandIntent final : intents::AppIntent {
    static constexpr const char* typeName = "MediaCommandIntent";
    static constexpr const char* title = "Control Music";
    static constexpr const char* commandKey = "command";
    static constexpr const char* commandTitle = "Command";
    /// The prefix of the notification the application listens for.
    static constexpr const char* notificationPrefix = "com.zelvanedesigns.plyx.media.";
    static constexpr const char* playPause = "playpause";
    static constexpr const char* next = "next";
    static constexpr const char* previous = "previous";

    std::string command = playPause;

    MediaCommandIntent() = default;
    explicit MediaCommandIntent(std::string c) : command(std::move(c)) {}

    /// The one text parameter, without a declared default.
    static const intents::IntentDescriptor& descriptor();
    static std::unique_ptr<MediaCommandIntent> from(const intents::Configuration& config);

    const intents::IntentDescriptor& type() const override { return descriptor(); }
    intents::Json parameters() const override { return {{commandKey, command}}; }
    /// Play/pause updates the stored snapshot and reloads both widgets; every
    /// command then posts its notification. Never fails.
    bool perform() override;

    /// The snapshot after a play/pause at `now`: the position advanced by the
    /// whole seconds played since `updated` (none when paused or dated
    /// ahead), held to the duration; playing flipped; `updated` now.
    static NowPlayingSnapshot toggled(NowPlayingSnapshot snapshot, Date now);
};

/// Registers the intent with `registry` (kept when already there).
void registerMediaCommandIntent(intents::IntentRegistry& registry = intents::IntentRegistry::shared());

} // namespace plyx
