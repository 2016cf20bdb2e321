#include "shared/models/NowPlayingSnapshot.h"

#include "platform/time/Time.h"

namespace plyx {

const NowPlayingSnapshot& NowPlayingSnapshot::sample() {
    static const NowPlayingSnapshot s{"Midnight Static", "Low Meadow", 192, 245, true, time::now()};
    return s;
}

} // namespace plyx
