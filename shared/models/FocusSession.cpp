#include "shared/models/FocusSession.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const FocusSession& FocusSession::sample() {
    static const FocusSession s{models::sampleMoment() + 932, 25};
    return s;
}

} // namespace plyx
