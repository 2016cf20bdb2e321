// The symbol table: each system symbol name the views use, and the icon that draws it.
// "*.fill" names take the filled weight; the rest the regular one.
#include "platform/ui/Symbols.h"

#include <algorithm>
#include <map>

namespace plyx::ui {

namespace {

struct SymbolFile {
    const char* name;
    const char* file; // under resources/icons/
};

constexpr SymbolFile kSymbols[] = {
    // Weather conditions.
    {"sun.max", "regular/sun.svg"},
    {"moon.stars", "regular/moon-stars.svg"},
    {"moon", "regular/moon.svg"},
    {"cloud.sun", "regular/cloud-sun.svg"},
    {"cloud.moon", "regular/cloud-moon.svg"},
    {"cloud", "regular/cloud.svg"},
    {"cloud.fog", "regular/cloud-fog.svg"},
    {"cloud.drizzle", "regular/drop.svg"},
    {"cloud.rain", "regular/cloud-rain.svg"},
    {"cloud.heavyrain", "regular/umbrella.svg"},
    {"cloud.snow", "regular/cloud-snow.svg"},
    {"cloud.bolt.rain", "regular/cloud-lightning.svg"},
    // Media transport.
    {"play.fill", "fill/play-fill.svg"},
    {"pause.fill", "fill/pause-fill.svg"},
    {"forward.fill", "fill/fast-forward-fill.svg"},
    {"backward.fill", "fill/rewind-fill.svg"},
    {"play.circle", "regular/play-circle.svg"},
    // Checks, pins and editing.
    {"checkmark", "regular/check.svg"},
    {"checkmark.circle", "regular/check-circle.svg"},
    {"checkmark.circle.fill", "fill/check-circle-fill.svg"},
    {"circle", "regular/circle.svg"},
    {"checklist", "regular/list-checks.svg"},
    {"pin", "regular/push-pin.svg"},
    {"pin.fill", "fill/push-pin-fill.svg"},
    {"trash", "regular/trash.svg"},
    {"plus", "regular/plus.svg"},
    {"square.and.pencil", "regular/note-pencil.svg"},
    // Application navigation and catalog categories.
    {"circle.grid.3x3", "regular/dots-nine.svg"},
    {"circle.grid.3x3.fill", "fill/dots-nine-fill.svg"},
    {"photo.on.rectangle", "regular/images.svg"},
    {"gearshape", "regular/gear.svg"},
    {"lock.shield", "regular/shield-check.svg"},
    {"clock", "regular/clock.svg"},
    {"calendar", "regular/calendar-blank.svg"},
    {"battery.75percent", "regular/battery-high.svg"},
    {"note.text", "regular/note.svg"},
    {"chart.bar", "regular/chart-bar.svg"},
    {"timer", "regular/timer.svg"},
    {"heart", "regular/heart.svg"},
    {"cpu", "regular/cpu.svg"},
    {"sparkles", "regular/sparkle.svg"},
};

const SymbolFile* find(const std::string& name) {
    for (const auto& s : kSymbols)
        if (name == s.name) return &s;
    return nullptr;
}

} // namespace

bool hasSymbol(const std::string& name) { return find(name) != nullptr; }

std::vector<std::string> symbolNames() {
    std::vector<std::string> out;
    for (const auto& s : kSymbols) out.emplace_back(s.name);
    std::sort(out.begin(), out.end());
    return out;
}

std::string symbolFile(const std::string& name) {
    const SymbolFile* s = find(name);
    if (!s) return {};
    return std::string(":/plyx/icons/") + s->file;
}

} // namespace plyx::ui
