#pragma once
// A media player on the session bus, as far as MPRIS goes: it owns
// "org.mpris.MediaPlayer2.<id>", answers the player interface's properties
// (PlaybackStatus, Position, Metadata) and its PlayPause, Next and Previous,
// counts the commands, and sends PropertiesChanged when told. It runs on its
// own connection and thread, so a caller's blocking calls are answered.
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <map>
#include <memory>
#include <optional>

namespace plyx::test {

class FakeMprisPlayer {
public:
    struct Track {
        QString status = "Playing";  ///< "Playing", "Paused" or "Stopped"
        qlonglong positionMicros = 0;
        std::optional<qlonglong> lengthMicros;  ///< none: a stream
        QString title;
        std::optional<QStringList> artists;  ///< none: no artist given
    };

    /// Starts the player on the bus at `address` as org.mpris.MediaPlayer2.`id`.
    FakeMprisPlayer(const QString& address, const QString& id, Track track);
    ~FakeMprisPlayer();

    bool isOnBus() const { return onBus_; }
    void setTrack(Track track);
    /// Sends PropertiesChanged with the current status and metadata.
    void announce();
    /// Gives up the bus name, as a player does when it quits.
    void quit();
    /// How often a method ("PlayPause", "Next", "Previous") was called.
    int calls(const QString& method) const;

    // Used by the bus object.
    Track track() const;
    void record(const QString& method);

private:
    QString connectionName_;
    QString busName_;
    QThread thread_;
    std::unique_ptr<class FakeMprisObject> object_;
    mutable QMutex mutex_;
    Track track_;
    std::map<QString, int> calls_;
    bool onBus_ = false;
};

} // namespace plyx::test
