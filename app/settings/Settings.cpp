#include "app/settings/Settings.h"

#include "shared/storage/SharedStorage.h"

namespace plyx {

const SettingSpec& specOf(Setting s) {
    for (const auto& spec : kSettings)
        if (spec.setting == s) return spec;
    return kSettings.front();  // unreachable: every setting has a row
}

SettingBinding::SettingBinding(Setting s)
    : spec_(specOf(s)),
      store_(spec_.store == SettingSpec::Store::appGroup ? SharedStorage::suite() : store::Defaults::standard()) {}

std::int64_t SettingBinding::value() const {
    return store_.contains(spec_.key) ? store_.integer(spec_.key) : spec_.defaultValue;
}

void SettingBinding::set(std::int64_t v) { store_.setInteger(spec_.key, v); }

} // namespace plyx
