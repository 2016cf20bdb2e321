#include "shared/models/NowPlayingSnapshot.h"

#include "shared/models/SampleMoment.h"

#include <algorithm>

namespace plyx {

const NowPlayingSnapshot& NowPlayingSnapshot::sample() {
    static const NowPlayingSnapshot s{"Midnight Static", "Low Meadow", 192, 245, true, models::sampleMoment()};
    return s;
}

NowPlayingSnapshot NowPlayingSnapshot::held() const {
    NowPlayingSnapshot s = *this;
    s.positionSeconds = std::clamp<std::int64_t>(positionSeconds, 0, kLongestSeconds);
    s.durationSeconds = std::clamp<std::int64_t>(durationSeconds, 0, kLongestSeconds);
    return s;
}

} // namespace plyx
