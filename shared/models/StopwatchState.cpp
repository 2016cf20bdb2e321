#include "shared/models/StopwatchState.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

namespace plyx {

StopwatchState StopwatchState::stored() {
    return SharedStorage::read<StopwatchState>(StorageKeys::stopwatch).value_or(StopwatchState{});
}

const StopwatchState& StopwatchState::sample() {
    static const StopwatchState s{time::now() - 287.3, {61.1, 133.4, 214.5}};
    return s;
}

} // namespace plyx
