#include "shared/storage/SharedStorage.h"

#include "platform/store/DataFolders.h"
#include "platform/time/Time.h"

namespace plyx {

namespace StorageKeys {
std::string counterKey(const std::string& name, Date day) {
    return std::string(counterPrefix) + name + "." + time::dayKey(day);
}
std::string stockCacheKey(const std::string& normalisedSymbol) { return std::string(stockCachePrefix) + normalisedSymbol; }
std::string weatherCacheKey(const std::string& placeSuffix) { return std::string(weatherCachePrefix) + placeSuffix; }
} // namespace StorageKeys

namespace SharedStorage {

store::Defaults suite() { return store::Defaults::suiteOrStandard(StorageKeys::kSuiteName); }

std::filesystem::path container() { return store::appGroupContainer(StorageKeys::kSuiteName); }

bool isFresh(Date updated, double lifetime, Date now) {
    const double age = now - updated;
    return age >= 0 && age < lifetime;
}

bool remove(const std::string& key) { return suite().remove(key); }

std::int64_t integer(const std::string& key) { return suite().integer(key); }

bool setInteger(const std::string& key, std::int64_t v) { return suite().setInteger(key, v); }

std::int64_t positiveInteger(const std::string& key, std::int64_t fallback) {
    const auto v = integer(key);
    return v > 0 ? v : fallback;
}

} // namespace SharedStorage
} // namespace plyx
