#include "shared/models/StopwatchState.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const StopwatchState& StopwatchState::sample() {
    static const StopwatchState s{models::sampleMoment() - 287.3, {61.1, 133.4, 214.5}};
    return s;
}

} // namespace plyx
