#include "platform/events/ReadLimits.h"

#include "platform/events/EventsLog.h"

namespace plyx::events::detail {

void ReadBudget::noteCut() {
    if (cutLogged) return;
    cutLogged = true;
    qCWarning(lcPlyxEvents) << "calendar expansion stopped: a read takes at most" << kMaxStepsPerRead << "steps and"
                            << kMaxOccurrencesPerRead << "occurrences";
}

} // namespace plyx::events::detail
