#include "shared/models/StorageSnapshot.h"

#include <cmath>

namespace plyx {

std::string StorageSnapshot::totalLabel() const {
    if (totalGB >= 1000) return std::to_string(std::llround(static_cast<double>(totalGB) / 1000.0)) + "TB";
    return std::to_string(totalGB) + "GB";
}

} // namespace plyx
