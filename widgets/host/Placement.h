#pragma once
// One widget placed on the desktop: which widget, where, and its
// configuration values. A plain value; PlacementStore reads and writes them.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace plyx::host {

/// How far from the desktop's origin a window may be placed, either way.
/// X11 keeps window positions in 16 bits, so a position past this wraps
/// around; no arrangement of real screens reaches it.
inline constexpr int kCoordinateLimit = 16384;

struct Placement {
    /// Upper-case UUID, given when the widget is placed; never reused.
    std::string id;
    /// The widget's kind ("plyx.system.storage").
    std::string kind;
    /// Top-left corner in the desktop's logical pixels.
    int x = 0;
    int y = 0;
    /// The screen's name when it was placed ("" for the primary screen).
    std::string screen;
    /// The configuration intent's values, as `intents::Configuration` reads them.
    nlohmann::ordered_json configuration = nlohmann::ordered_json::object();
};

/// A fresh identifier for a new placement.
std::string newPlacementId();

/// Gives each placement whose id an earlier one already has a fresh id, so
/// every window and every removal names one placement. Whether any changed.
bool repairDuplicateIds(std::vector<Placement>& placements);

/// The placement with `id`, or null.
Placement* findPlacement(std::vector<Placement>& placements, const std::string& id);

} // namespace plyx::host
