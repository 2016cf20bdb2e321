#include "app/music/MusicListener.h"

#include "platform/base/Numbers.h"
#include "platform/media/MprisPlayer.h"
#include "platform/media/PlayerForms.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/intents/MediaCommandIntent.h"
#include "shared/stores/MediaBridge.h"

#include <QLoggingCategory>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace plyx {
namespace {

Q_LOGGING_CATEGORY(plyxLog, "com.zelvanedesigns.plyx.media")

constexpr const char* kNowPlayingKind = "plyx.nowplaying";
constexpr const char* kRemoteKind = "plyx.remote";
constexpr int kDriftLimitSeconds = 3;

// Truncated toward zero; a value that is no whole number of seconds we can
// hold (not finite, out of range) counts as 0.
std::int64_t wholeSeconds(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 9.0e18) return 0;
    return static_cast<std::int64_t>(std::trunc(v));
}

// A reply's time field: a decimal comma is read as a point; 0 when unreadable.
std::int64_t replySeconds(std::string piece) {
    for (char& c : piece)
        if (c == ',') c = '.';
    return wholeSeconds(num::parseDecimal(piece).value_or(0));
}

// Exactly `count` fields: split at the first `count - 1` separators, empty
// fields kept (an empty title or artist is still a track), the last field
// keeping any further separators.
std::vector<std::string> splitFields(const std::string& reply, char separator, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() + 1 < count) {
        const auto at = reply.find(separator, from);
        if (at == std::string::npos) break;
        fields.push_back(reply.substr(from, at - from));
        from = at + 1;
    }
    fields.push_back(reply.substr(from));
    return fields;
}

} // namespace

MusicListener::MusicListener(media::MusicPlayer& player, Reload reload, QObject* parent)
    : QObject(parent), player_(player), reload_(std::move(reload)) {}

MusicListener& MusicListener::shared() {
    static auto* player = new media::MprisPlayer();
    static auto* listener =
        new MusicListener(*player, [](const std::string& kind) { widgetkit::WidgetCenter::reloadTimelines(kind); });
    return *listener;
}

void MusicListener::start() {
    if (started_) return;
    started_ = true;
    // The player's own change events play the part of its player-info
    // notification: each is read into that record and handled as one, later,
    // on this thread.
    connect(&player_, &media::MusicPlayer::changed, this,
            [this] { handlePlayerInfo(media::playerInfo(player_.status())); }, Qt::QueuedConnection);
    for (const char* command : {MediaCommandIntent::playPause, MediaCommandIntent::next, MediaCommandIntent::previous}) {
        const std::string text = command;
        observers_.push_back(bus::observe(std::string(MediaCommandIntent::notificationPrefix) + text, [this, text] {
            QMetaObject::invokeMethod(this, [this, text] { run(text); }, Qt::QueuedConnection);
        }));
    }
    qCInfo(plyxLog, "MusicListener started, observers registered");
    syncFromMusic();
}

void MusicListener::reloadBoth() {
    reload_(kNowPlayingKind);
    reload_(kRemoteKind);
}

void MusicListener::clearSnapshot() {
    if (!MediaBridge::nowPlaying()) return;
    MediaBridge::setNowPlaying(std::nullopt);
    reloadBoth();
}

std::optional<NowPlayingSnapshot> MusicListener::snapshotFromReply(const std::string& reply, Date now) {
    const auto pieces = splitFields(reply, media::kUnitSeparator, 5);
    if (pieces.size() != 5) return std::nullopt;
    NowPlayingSnapshot s;
    s.title = pieces[3];
    s.artist = pieces[4];
    s.positionSeconds = replySeconds(pieces[1]);
    s.durationSeconds = replySeconds(pieces[2]);
    s.isPlaying = pieces[0] == "playing";
    s.updated = now;
    return s;
}

void MusicListener::syncFromMusic() {
    if (!player_.isRunning()) {
        clearSnapshot();
        return;
    }
    const auto status = player_.status();
    if (!status) {
        qCWarning(plyxLog, "music sync failed: the player did not answer");
        return;
    }
    const std::string reply = media::scriptReply(*status);
    if (reply == "stopped") {
        clearSnapshot();
        return;
    }
    const Date now = time::now();
    const auto parsed = snapshotFromReply(reply, now);
    if (!parsed) return;
    const NowPlayingSnapshot& fresh = *parsed;

    // Where the stored snapshot says the track should be by now; a jump
    // further than a few seconds from it (a seek) is worth a reload.
    const auto previous = MediaBridge::nowPlaying();
    std::int64_t expected = previous ? previous->positionSeconds : 0;
    if (previous && previous->isPlaying) expected += wholeSeconds(now.timeIntervalSince(previous->updated));
    const std::int64_t drift = std::llabs(expected - fresh.positionSeconds);

    const bool visible = !previous || previous->title != fresh.title || previous->artist != fresh.artist ||
                         previous->isPlaying != fresh.isPlaying || drift > kDriftLimitSeconds;
    MediaBridge::setNowPlaying(fresh);
    if (visible) reloadBoth();
}

void MusicListener::handlePlayerInfo(const QVariantMap& info) {
    const QVariant stateValue = info.value("Player State");
    const QString state = stateValue.typeId() == QMetaType::QString ? stateValue.toString() : QStringLiteral("Stopped");
    if (state == QLatin1String("Stopped")) {
        MediaBridge::setNowPlaying(std::nullopt);
    } else {
        const QVariant total = info.value("Total Time");
        const bool integral = total.typeId() == QMetaType::Int || total.typeId() == QMetaType::LongLong ||
                              total.typeId() == QMetaType::UInt || total.typeId() == QMetaType::ULongLong;
        const QVariant name = info.value("Name");
        const QVariant artist = info.value("Artist");
        NowPlayingSnapshot s;
        s.durationSeconds = integral ? total.toLongLong() / 1000 : 0;
        s.title = name.typeId() == QMetaType::QString ? name.toString().toStdString() : "Unknown";
        s.artist = artist.typeId() == QMetaType::QString ? artist.toString().toStdString() : "";
        s.positionSeconds = fetchPlayerPosition();
        s.isPlaying = state == QLatin1String("Playing");
        s.updated = time::now();
        MediaBridge::setNowPlaying(s);
    }
    reloadBoth();
}

std::int64_t MusicListener::fetchPlayerPosition() {
    const auto seconds = player_.position();
    return seconds ? wholeSeconds(*seconds) : 0;
}

void MusicListener::run(const std::string& command) {
    qCInfo(plyxLog, "media command received: %s", command.c_str());
    bool ok = false;
    const char* verb = "playpause";
    if (command == MediaCommandIntent::next) {
        verb = "next track";
        ok = player_.next();
    } else if (command == MediaCommandIntent::previous) {
        verb = "previous track";
        ok = player_.previous();
    } else {
        ok = player_.playPause();
    }
    if (ok) qCInfo(plyxLog, "media command ok: %s", verb);
    else qCWarning(plyxLog, "media command failed: %s", verb);
    QTimer::singleShot(followUpDelayMs_, this, [this] { syncFromMusic(); });
}

} // namespace plyx
