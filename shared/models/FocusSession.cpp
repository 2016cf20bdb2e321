#include "shared/models/FocusSession.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

namespace plyx {

FocusSession FocusSession::stored() {
    return SharedStorage::read<FocusSession>(StorageKeys::focus).value_or(FocusSession{std::nullopt, 25});
}

const FocusSession& FocusSession::sample() {
    static const FocusSession s{time::now() + 932, 25};
    return s;
}

} // namespace plyx
