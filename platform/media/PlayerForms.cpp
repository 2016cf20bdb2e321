#include "platform/media/PlayerForms.h"

#include <charconv>
#include <cmath>

namespace plyx::media {
namespace {

std::string number(double v) {
    if (!std::isfinite(v)) v = 0;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace

std::string scriptReply(const PlayerStatus& s) {
    if (s.state == PlaybackState::Stopped) return "stopped";
    const char d = kUnitSeparator;
    return std::string(s.state == PlaybackState::Playing ? "playing" : "paused") + d + number(s.positionSeconds) +
           d + number(s.durationSeconds) + d + s.title + d + s.artist;
}

QVariantMap playerInfo(const std::optional<PlayerStatus>& s) {
    QVariantMap info;
    if (!s) return info;
    switch (s->state) {
    case PlaybackState::Stopped: info["Player State"] = QStringLiteral("Stopped"); break;
    case PlaybackState::Playing: info["Player State"] = QStringLiteral("Playing"); break;
    case PlaybackState::Paused: info["Player State"] = QStringLiteral("Paused"); break;
    }
    const double ms = s->durationSeconds * 1000.0;
    if (std::isfinite(ms) && ms > 0 && ms < 9.0e15) info["Total Time"] = qlonglong(std::llround(ms));
    info["Name"] = QString::fromStdString(s->title);
    info["Artist"] = QString::fromStdString(s->artist);
    return info;
}

} // namespace plyx::media
