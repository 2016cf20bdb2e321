#include "shared/models/CounterSnapshot.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

namespace plyx {

CounterSnapshot CounterSnapshot::today(const std::string& name, std::int64_t goal) {
    return CounterSnapshot{SharedStorage::integer(StorageKeys::counterKey(name, time::now())), goal};
}

std::int64_t CounterSnapshot::waterGoal() { return SharedStorage::positiveInteger(StorageKeys::waterGoal, 8); }

std::int64_t CounterSnapshot::stepsGoal() { return SharedStorage::positiveInteger(StorageKeys::stepsGoal, 10000); }

} // namespace plyx
