#include "shared/models/InboxSnapshot.h"

#include "platform/time/Time.h"

namespace plyx {

const InboxSnapshot& InboxSnapshot::sample() {
    static const InboxSnapshot s = [] {
        const Date now = time::now();
        return InboxSnapshot{3, std::string("Maya: Press kit final review"), now - 120, true, now};
    }();
    return s;
}

} // namespace plyx
