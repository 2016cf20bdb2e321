#include "widgets/host/PlacementStore.h"

#include "platform/base/FileLock.h"
#include "platform/coding/Coding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

Q_LOGGING_CATEGORY(lcPlacements, "com.zelvanedesigns.plyx.widgets.placements")

namespace plyx::host {

using Json = nlohmann::ordered_json;

namespace {

// Strict: any missing or mistyped member makes the whole file unreadable, so
// a half-understood file is set aside rather than rewritten without the rest.
// A whole-number coordinate, held to the limit: a stored 99999999999 is far
// off any screen, not a wrapped-around -6145.
int coordinate(const Json& v) {
    const std::int64_t limit = kCoordinateLimit;
    if (v.is_number_unsigned()) return int(std::min<std::uint64_t>(v.get<std::uint64_t>(), limit));
    return int(std::clamp<std::int64_t>(v.get<std::int64_t>(), -limit, limit));
}

std::optional<std::vector<Placement>> decode(const QByteArray& bytes) {
    const auto parsed = coding::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!parsed) return std::nullopt;
    const Json& doc = *parsed;
    if (!doc.is_object() || !doc.contains("placements") || !doc["placements"].is_array()) return std::nullopt;
    std::vector<Placement> out;
    for (const auto& item : doc["placements"]) {
        if (!item.is_object()) return std::nullopt;
        auto str = [&](const char* k) { return item.contains(k) && item[k].is_string(); };
        auto num = [&](const char* k) { return item.contains(k) && item[k].is_number_integer(); };
        if (!str("id") || !str("kind") || !num("x") || !num("y")) return std::nullopt;
        Placement p;
        p.id = item["id"].get<std::string>();
        p.kind = item["kind"].get<std::string>();
        p.x = coordinate(item["x"]);
        p.y = coordinate(item["y"]);
        if (item.contains("screen")) {
            if (!item["screen"].is_string()) return std::nullopt;
            p.screen = item["screen"].get<std::string>();
        }
        if (item.contains("configuration")) {
            if (!item["configuration"].is_object()) return std::nullopt;
            p.configuration = item["configuration"];
        }
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace

PlacementStore::PlacementStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path PlacementStore::defaultFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config) base = config;
    else base = std::filesystem::path(QDir::homePath().toStdString()) / ".config";
    return base / "plyx" / "placements.json";
}

std::vector<Placement> PlacementStore::load() const {
    // Reading alone needs no lock, but a read may set the file aside or
    // repair it; without the lock (a read-only folder) it still reads.
    const auto lock = FileLock::acquire(file_, kLockWait);
    return loadLocked();
}

std::optional<std::string> PlacementStore::save(const std::vector<Placement>& placements) const {
    std::string problem;
    const auto lock = FileLock::acquire(file_, kLockWait, &problem);
    if (!lock) return problem;
    return saveLocked(placements);
}

std::optional<std::string>
PlacementStore::update(const std::function<std::optional<std::string>(std::vector<Placement>&)>& change) const {
    std::string problem;
    const auto lock = FileLock::acquire(file_, kLockWait, &problem);
    if (!lock) return problem;
    auto placements = loadLocked();
    if (auto refused = change(placements)) return refused;
    return saveLocked(placements);
}

std::vector<Placement> PlacementStore::loadLocked() const {
    const QString name = QString::fromStdString(file_.string());
    QFile f(name);
    if (!f.exists()) return {};
    std::optional<std::vector<Placement>> read;
    if (f.open(QIODevice::ReadOnly)) read = decode(f.readAll());
    f.close();
    if (read) {
        if (repairDuplicateIds(*read)) {
            qCWarning(lcPlacements) << "placements that shared an id were given new ids";
            if (auto problem = saveLocked(*read))
                qCWarning(lcPlacements).noquote() << "the repaired placements were not saved:"
                                                  << QString::fromStdString(*problem);
        }
        return *read;
    }
    // A second bad file in the same second gets a counter, not the first one's place.
    const QString stem = name + ".unreadable-" + QDateTime::currentDateTimeUtc().toString("yyyyMMdd'T'HHmmss'Z'");
    QString aside = stem;
    for (int n = 2; QFile::exists(aside); ++n) aside = stem + "-" + QString::number(n);
    if (QFile::rename(name, aside)) {
        qCWarning(lcPlacements).noquote() << "placements file did not read; set aside as" << aside;
    } else {
        // Left where it is; saving must not replace it unseen.
        blocked_ = true;
        qCWarning(lcPlacements).noquote() << "placements file did not read and could not be set aside:" << name;
    }
    return {};
}

std::optional<std::string> PlacementStore::saveLocked(const std::vector<Placement>& placements) const {
    if (blocked_) return "the placements file did not read and could not be set aside";
    Json list = Json::array();
    for (const auto& p : placements) {
        Json item = {{"id", p.id}, {"kind", p.kind}, {"x", p.x}, {"y", p.y}};
        if (!p.screen.empty()) item["screen"] = p.screen;
        item["configuration"] = p.configuration.is_object() ? p.configuration : Json::object();
        list.push_back(std::move(item));
    }
    const std::string text = Json{{"placements", list}}.dump(2) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    QSaveFile out(QString::fromStdString(file_.string()));
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        out.cancelWriting();
        return out.errorString().toStdString();
    }
    if (!out.commit()) return out.errorString().toStdString();
    return std::nullopt;
}

} // namespace plyx::host
