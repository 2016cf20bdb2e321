#pragma once
// Receive and send rates in decimal megabytes (1,000,000 bytes) per second.
#include "platform/coding/Coding.h"

namespace plyx {

struct NetworkSnapshot {
    double downMBs = 0;
    double upMBs = 0;

    bool operator==(const NetworkSnapshot&) const = default;
};

PLYX_CODABLE(NetworkSnapshot, downMBs, upMBs)

} // namespace plyx
