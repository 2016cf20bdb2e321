#pragma once
// Keeps the now-playing snapshot in step with the user's music player and
// carries out the transport commands the widgets post. It hears the player's
// change events, re-reads the player in full at start, after each command and
// on every stats tick, and reloads the two music widgets when what they show
// visibly changed.
#include "platform/bus/Bus.h"
#include "platform/media/MusicPlayer.h"
#include "shared/models/NowPlayingSnapshot.h"

#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

class MusicListener : public QObject {
    Q_OBJECT
public:
    /// Asks the widget host to reload one kind.
    using Reload = std::function<void(const std::string& kind)>;

    /// Follows `player` (not owned; it must outlive the listener).
    MusicListener(media::MusicPlayer& player, Reload reload, QObject* parent = nullptr);

    /// The process's listener: the MPRIS player, reloads through the widget center.
    static MusicListener& shared();

    /// Registers the observers and syncs once; later calls do nothing.
    void start();
    /// Re-reads the player and stores the snapshot, reloading on a visible change.
    void syncFromMusic();
    /// Stores the snapshot a player-info record describes and reloads both kinds.
    void handlePlayerInfo(const QVariantMap& info);
    /// The player position in whole seconds; 0 on any failure.
    std::int64_t fetchPlayerPosition();
    /// Sends a command ("next", "previous", anything else plays or pauses) and
    /// syncs again after the follow-up delay.
    void run(const std::string& command);

    /// The snapshot a player reply describes (state, position, duration,
    /// title, artist), stamped `now`; none when it has not five fields.
    static std::optional<NowPlayingSnapshot> snapshotFromReply(const std::string& reply, Date now);

    /// The wait between a command and the sync that follows it (half a second).
    void setFollowUpDelayMs(int ms) { followUpDelayMs_ = ms; }
    /// How many observers `start()` registered.
    std::size_t observerCount() const { return observers_.size(); }

private:
    void clearSnapshot();
    void reloadBoth();

    media::MusicPlayer& player_;
    Reload reload_;
    bool started_ = false;
    int followUpDelayMs_ = 500;
    std::vector<std::unique_ptr<bus::Observation>> observers_;
};

} // namespace plyx
