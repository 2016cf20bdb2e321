#pragma once
// The music player over MPRIS: every "org.mpris.MediaPlayer2.*" name on the
// session bus is a player. The one followed is the one playing; else the one
// seen playing last; else the first by name. Calls are short (one second at
// most), so a hung player cannot hold the caller up for long. Without a
// session bus no player runs.
#include "platform/media/MusicPlayer.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QString>

namespace plyx::media {

inline constexpr const char* kMprisPrefix = "org.mpris.MediaPlayer2.";
inline constexpr const char* kMprisPath = "/org/mpris/MediaPlayer2";
inline constexpr const char* kMprisPlayerInterface = "org.mpris.MediaPlayer2.Player";

class MprisPlayer : public MusicPlayer, protected QDBusContext {
    Q_OBJECT
public:
    explicit MprisPlayer(QObject* parent = nullptr);
    bool isRunning() override;
    std::optional<PlayerStatus> status() override;
    std::optional<double> position() override;
    bool playPause() override;
    bool next() override;
    bool previous() override;

    /// The bus name of the player followed now; empty when none runs.
    QString followedPlayer();

private slots:
    void onPropertiesChanged(const QString& interface, const QVariantMap& props, const QStringList& invalidated);
    void onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    QStringList players();
    QString playbackStatus(const QString& player);
    bool command(const char* method);

    QDBusConnection bus_;
    QString lastPlaying_;
};

} // namespace plyx::media
