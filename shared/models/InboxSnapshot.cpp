#include "shared/models/InboxSnapshot.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const InboxSnapshot& InboxSnapshot::sample() {
    static const InboxSnapshot s = [] {
        const Date now = models::sampleMoment();
        return InboxSnapshot{3, std::string("Maya: Press kit final review"), now - 120, true, now};
    }();
    return s;
}

} // namespace plyx
