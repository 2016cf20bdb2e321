#include "app/settings/Settings.h"

#include "shared/storage/SharedStorage.h"

namespace plyx {

const SettingRow& rowOf(Setting s) {
    for (const auto& row : kSettings)
        if (row.setting == s) return row;
    return kSettings.front();  // unreachable: every setting has a row
}

SettingBinding::SettingBinding(Setting s)
    : row_(rowOf(s)),
      store_(row_.store == SettingRow::Store::appGroup ? SharedStorage::suite() : store::Defaults::standard()) {}

std::int64_t SettingBinding::value() const {
    return store_.contains(row_.key) ? store_.integer(row_.key) : row_.defaultValue;
}

void SettingBinding::set(std::int64_t v) { store_.setInteger(row_.key, v); }

} // namespace plyx
