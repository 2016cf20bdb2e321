#include "shared/foundation/ThemeStore.h"

#include "shared/foundation/ThemeSettings.h"
#include "shared/storage/SharedStorage.h"

namespace plyx {

ThemeStore::ThemeStore(QObject* parent) : QObject(parent), settings_(std::make_unique<ThemeSettings>(current())) {}

ThemeStore::~ThemeStore() = default;

void ThemeStore::setSettings(const ThemeSettings& s) {
    *settings_ = s;
    save(*settings_);
    emit settingsChanged(*settings_);
}

ThemeSettings ThemeStore::current() {
    return SharedStorage::read<ThemeSettings>(StorageKeys::theme).value_or(ThemeSettings{});
}

void ThemeStore::save(const ThemeSettings& s) { SharedStorage::write(StorageKeys::theme, s); }

} // namespace plyx
