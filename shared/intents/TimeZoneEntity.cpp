#include "shared/intents/TimeZoneEntity.h"

#include <algorithm>

namespace plyx {

std::string TimeZoneEntity::cityName(const std::string& identifier) {
    // The last piece that is not empty: skip trailing slashes, then take
    // everything back to the slash before it.
    const auto end = identifier.find_last_not_of('/');
    if (end == std::string::npos) return identifier;
    const auto slash = identifier.rfind('/', end);
    const auto begin = slash == std::string::npos ? 0 : slash + 1;
    std::string name = identifier.substr(begin, end + 1 - begin);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

} // namespace plyx
