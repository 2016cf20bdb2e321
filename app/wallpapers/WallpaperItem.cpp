#include "app/wallpapers/WallpaperItem.h"

#include "platform/wallpaper/Bundle.h"

#include <QString>

#include <algorithm>
#include <system_error>

namespace plyx {
namespace fs = std::filesystem;

namespace {

constexpr const char* kFullExtension = ".heic";
constexpr const char* kThumbSuffix = "-thumb.jpg";

std::vector<std::string> pieces(const std::string& id) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= id.size()) {
        const size_t dash = std::min(id.find('-', start), id.size());
        if (dash > start) out.push_back(id.substr(start, dash - start));
        start = dash + 1;
    }
    return out;
}

// Title case as the desktop writes it: the first letter of a word upper,
// the rest lower, whatever the script.
std::string capitalised(const std::string& word) {
    const QString w = QString::fromStdString(word).toLower();
    if (w.isEmpty()) return {};
    int first = 1;
    if (w.at(0).isHighSurrogate() && w.size() > 1) first = 2;
    return (w.left(first).toUpper() + w.mid(first)).toStdString();
}

std::optional<fs::path> existing(const fs::path& p) {
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) return p;
    return std::nullopt;
}

} // namespace

const std::vector<WallpaperItem::Tone>& WallpaperItem::allTones() {
    static const std::vector<Tone> tones{Tone::light, Tone::dark, Tone::graphite};
    return tones;
}

const char* WallpaperItem::rawValue(Tone tone) {
    switch (tone) {
    case Tone::light: return "Light";
    case Tone::dark: return "Dark";
    case Tone::graphite: return "Graphite";
    }
    return "Graphite";
}

std::optional<WallpaperItem> WallpaperItem::fromID(const std::string& id) {
    const auto parts = pieces(id);
    if (parts.size() < 2) return std::nullopt;
    const QString second = QString::fromStdString(parts[1]);
    WallpaperItem item{id, {}, Tone::graphite};
    size_t firstWord = 1;
    if (second.compare("light", Qt::CaseInsensitive) == 0) {
        item.tone = Tone::light;
        firstWord = 2;
    } else if (second.compare("dark", Qt::CaseInsensitive) == 0) {
        item.tone = Tone::dark;
        firstWord = 2;
    }
    for (size_t i = firstWord; i < parts.size(); ++i) {
        if (!item.name.empty()) item.name += ' ';
        item.name += capitalised(parts[i]);
    }
    if (item.name.empty()) item.name = id;
    return item;
}

std::vector<WallpaperItem> WallpaperItem::loadAll() {
    std::vector<std::string> ids;
    std::error_code ec;
    for (fs::directory_iterator it(wallpaper::bundleDirectory(), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() != kFullExtension || !it->is_regular_file(ec)) continue;
        ids.push_back(p.stem().string());
    }
    // Byte order of UTF-8 is the order of Unicode scalar values: case matters
    // and digits are not read as numbers.
    std::sort(ids.begin(), ids.end());
    std::vector<WallpaperItem> items;
    for (const auto& id : ids)
        if (auto item = fromID(id)) items.push_back(std::move(*item));
    return items;
}

std::optional<fs::path> WallpaperItem::fullURL() const {
    return existing(wallpaper::bundleDirectory() / (id + kFullExtension));
}

std::optional<fs::path> WallpaperItem::thumbURL() const {
    return existing(wallpaper::bundleDirectory() / (id + kThumbSuffix));
}

} // namespace plyx
