#pragma once
// The placed widgets, kept in one JSON file ($XDG_CONFIG_HOME/plyx/placements.json).
// Writes replace the file whole (a temporary file renamed over it), so a crash
// leaves the old list or the new one. A file that does not read is never
// overwritten: it is renamed aside with an ".unreadable-<time>" suffix and
// logged, and the list starts empty.
#include "widgets/host/Placement.h"

#include <filesystem>
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

    /// Every placement, in the order they were placed; empty when there is no
    /// file, or when it did not read (it is then set aside; see above).
    std::vector<Placement> load() const;
    /// Replaces the file; the reason when it could not be written.
    std::optional<std::string> save(const std::vector<Placement>& placements) const;

private:
    std::filesystem::path file_;
    // Set when a bad file could not be moved aside: it is then never overwritten.
    mutable bool blocked_ = false;
};

} // namespace plyx::host
