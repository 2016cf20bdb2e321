#include "shared/models/NowPlayingSnapshot.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const NowPlayingSnapshot& NowPlayingSnapshot::sample() {
    static const NowPlayingSnapshot s{"Midnight Static", "Low Meadow", 192, 245, true, models::sampleMoment()};
    return s;
}

} // namespace plyx
