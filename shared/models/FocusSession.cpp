#include "shared/models/FocusSession.h"

#include "platform/time/Time.h"

namespace plyx {

const FocusSession& FocusSession::sample() {
    static const FocusSession s{time::now() + 932, 25};
    return s;
}

} // namespace plyx
