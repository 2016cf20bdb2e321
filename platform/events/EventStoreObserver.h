#pragma once
// Tells when the calendar sources change on disk. A sync tool writes many
// files in a burst, so changes are gathered until the sources have been quiet
// for a moment and then reported once.
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <vector>

namespace plyx::events {

class EventStoreObserver : public QObject {
    Q_OBJECT
public:
    /// Watches `sources` (files, and folders with their calendar sub-folders).
    /// `quietMs` is how long the sources must stay unchanged before the
    /// change is reported.
    explicit EventStoreObserver(std::vector<std::filesystem::path> sources, int quietMs = 500,
                                QObject* parent = nullptr);
    /// Watches the sources `sources` gives, asked again on `refreshSources()`:
    /// the user may connect a source long after the observer started.
    explicit EventStoreObserver(std::function<std::vector<std::filesystem::path>()> sources, int quietMs = 500,
                                QObject* parent = nullptr);

    /// Asks for the sources again and watches the ones not yet watched.
    void refreshSources();

    /// The paths being watched now.
    QStringList watched() const;

signals:
    /// The sources changed; read them again.
    void storeChanged();

private:
    void rewatch();
    void touched();

    std::function<std::vector<std::filesystem::path>()> lookUp_;
    std::vector<std::filesystem::path> sources_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
};

} // namespace plyx::events
