#include "shared/foundation/ThemeStore.h"

#include "platform/store/Changes.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/storage/SharedStorage.h"

#include <optional>
#include <string>

namespace plyx {

ThemeStore::ThemeStore(QObject* parent) : QObject(parent), settings_(std::make_unique<ThemeSettings>(current())) {}

ThemeStore::~ThemeStore() = default;

void ThemeStore::setSettings(const ThemeSettings& s) {
    *settings_ = s;
    save(*settings_);
    emit settingsChanged(*settings_);
}

ThemeSettings ThemeStore::current() {
    // Every render asks, and the theme changes seldom: the last theme this
    // thread read serves for as long as the suite file stays unwritten.
    struct Last {
        std::string file;
        store::ChangeMark mark;
        ThemeSettings theme;
    };
    thread_local std::optional<Last> last;
    const auto suite = SharedStorage::suite();
    const auto& file = suite.path();
    if (last && last->file == file.native() && store::unchangedSince(file, last->mark)) return last->theme;
    const auto mark = store::changeMark(file);
    const auto bytes = suite.data(StorageKeys::theme);
    auto theme = (bytes ? coding::decode<ThemeSettings>(*bytes) : std::nullopt).value_or(ThemeSettings{});
    last = Last{file.native(), mark, theme};
    return theme;
}

void ThemeStore::save(const ThemeSettings& s) { SharedStorage::write(StorageKeys::theme, s); }

} // namespace plyx
