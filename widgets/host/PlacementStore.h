#pragma once
// The placed widgets, kept in one JSON file ($XDG_CONFIG_HOME/plyx/placements.json).
// Writes replace the file whole (a temporary file renamed over it), so a crash
// leaves the old list or the new one. A file that does not read is never
// overwritten: it is renamed aside with an ".unreadable-<time>" suffix and
// logged, and the list starts empty.
//
// Several processes may change the file at once (the host, and the command
// line when no host runs), so every read that leads to a write, and every
// write, holds the lock beside the file (FileLock) from the read to the
// replace.
#include "widgets/host/Placement.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plyx::host {

class PlacementStore {
public:
    explicit PlacementStore(std::filesystem::path file = defaultFile());
    /// $XDG_CONFIG_HOME/plyx/placements.json (~/.config when unset).
    static std::filesystem::path defaultFile();

    const std::filesystem::path& file() const { return file_; }

    /// How long a change waits for another process to let go of the file.
    static constexpr std::chrono::milliseconds kLockWait{5000};

    /// Every placement, in the order they were placed; empty when there is no
    /// file, or when it did not read (it is then set aside; see above). A
    /// position past kCoordinateLimit reads as the limit. Placements that
    /// share an id are told apart (the later ones get new ids), and the file
    /// is rewritten so.
    std::vector<Placement> load() const;
    /// Replaces the file; the reason when it could not be written.
    std::optional<std::string> save(const std::vector<Placement>& placements) const;
    /// Reads the file, lets `change` change the list and writes it back, all
    /// under the lock, so no change another process makes meanwhile is lost.
    /// When `change` returns a problem nothing is written and it is returned;
    /// else the reason the file could not be written, or nothing.
    std::optional<std::string>
    update(const std::function<std::optional<std::string>(std::vector<Placement>&)>& change) const;

private:
    std::vector<Placement> loadLocked() const;
    std::optional<std::string> saveLocked(const std::vector<Placement>& placements) const;

    std::filesystem::path file_;
    // Set when a bad file could not be moved aside: it is then never overwritten.
    mutable bool blocked_ = false;
};

} // namespace plyx::host
