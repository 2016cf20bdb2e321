#include "shared/models/StopwatchState.h"

#include "platform/time/Time.h"

namespace plyx {

const StopwatchState& StopwatchState::sample() {
    static const StopwatchState s{time::now() - 287.3, {61.1, 133.4, 214.5}};
    return s;
}

} // namespace plyx
