#pragma once
// The wallpapers the application ships, read from its wallpapers folder:
// one item per full-size image "<id>.heic", its title and tone taken from
// the id, and its JPEG thumbnail "<id>-thumb.jpg" beside it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct WallpaperItem {
    enum class Tone { light, dark, graphite };

    /// The image's file name without its extension; unique in the folder.
    std::string id;
    /// The display title built from the id.
    std::string name;
    Tone tone = Tone::graphite;

    bool operator==(const WallpaperItem&) const = default;

    /// Every tone, in the order the tone filter lists them.
    static const std::vector<Tone>& allTones();
    /// "Light", "Dark" or "Graphite": the tone's value and its label.
    static const char* rawValue(Tone tone);

    /// The catalog, read afresh from the wallpapers folder on every call,
    /// sorted by id; empty when nothing qualifies.
    static std::vector<WallpaperItem> loadAll();
    /// The item an id names, or none when the id does not fit the naming
    /// rule (fewer than two pieces between hyphens).
    static std::optional<WallpaperItem> fromID(const std::string& id);

    /// The full-size image in the wallpapers folder; none when missing.
    std::optional<std::filesystem::path> fullURL() const;
    /// The thumbnail in the wallpapers folder; none when missing.
    std::optional<std::filesystem::path> thumbURL() const;
};

} // namespace plyx

template <> struct std::hash<plyx::WallpaperItem> {
    size_t operator()(const plyx::WallpaperItem& w) const noexcept {
        return std::hash<std::string>{}(w.id) ^ (std::hash<std::string>{}(w.name) << 1) ^
               (std::hash<int>{}(int(w.tone)) << 2);
    }
};
