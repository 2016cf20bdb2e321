#pragma once
// The user's music player, as the application follows it: whether one runs,
// what it plays, the three transport commands, and a signal when any of that
// changes. On Linux the player is whichever media player offers MPRIS on the
// session bus (see MprisPlayer.h).
#include <QObject>

#include <optional>
#include <string>

namespace plyx::media {

enum class PlaybackState { Stopped, Playing, Paused };

/// One reading of the player. Times are in seconds; the duration is 0 when
/// the track has no length (a stream).
struct PlayerStatus {
    PlaybackState state = PlaybackState::Stopped;
    double positionSeconds = 0;
    double durationSeconds = 0;
    std::string title;
    std::string artist;
    bool operator==(const PlayerStatus&) const = default;
};

class MusicPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    /// Whether a player runs at all.
    virtual bool isRunning() = 0;
    /// The followed player's state; none when no player runs or it did not answer.
    virtual std::optional<PlayerStatus> status() = 0;
    /// The followed player's position alone; none on any failure.
    virtual std::optional<double> position() = 0;
    /// The commands; each returns whether the player accepted it.
    virtual bool playPause() = 0;
    virtual bool next() = 0;
    virtual bool previous() = 0;

signals:
    /// A player started, quit, or changed its state or track.
    void changed();
};

} // namespace plyx::media
