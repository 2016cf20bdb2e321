#include "platform/events/EventStoreObserver.h"

#include <QDir>
#include <QFileInfo>

namespace plyx::events {

EventStoreObserver::EventStoreObserver(std::vector<std::filesystem::path> sources, int quietMs, QObject* parent)
    : EventStoreObserver([sources] { return sources; }, quietMs, parent) {}

EventStoreObserver::EventStoreObserver(std::function<std::vector<std::filesystem::path>()> sources, int quietMs,
                                       QObject* parent)
    : QObject(parent), lookUp_(std::move(sources)), sources_(lookUp_()) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(quietMs);
    connect(&quiet_, &QTimer::timeout, this, &EventStoreObserver::storeChanged);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { touched(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { touched(); });
    rewatch();
}

QStringList EventStoreObserver::watched() const { return watcher_.files() + watcher_.directories(); }

void EventStoreObserver::refreshSources() {
    sources_ = lookUp_();
    rewatch();
}

void EventStoreObserver::touched() {
    // Files replaced by a rename drop out of the watch, and new calendar
    // folders appear: watch afresh, then wait for the burst to end.
    rewatch();
    quiet_.start();
}

void EventStoreObserver::rewatch() {
    QStringList paths;
    for (const auto& s : sources_) {
        const QString path = QString::fromStdString(s.string());
        const QFileInfo info(path);
        if (info.isDir()) {
            paths << path;
            const QDir dir(path);
            for (const auto& sub : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
                paths << sub.absoluteFilePath();
        } else {
            // The file itself, and its folder: tools replace files by renaming.
            if (info.exists()) paths << path;
            if (info.dir().exists()) paths << info.absolutePath();
        }
    }
    const QStringList current = watched();
    QStringList add;
    for (const auto& p : paths)
        if (!current.contains(p) && !add.contains(p)) add << p;
    if (!add.isEmpty()) watcher_.addPaths(add);
}

} // namespace plyx::events
