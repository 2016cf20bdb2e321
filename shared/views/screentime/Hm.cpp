#include "shared/views/screentime/Hm.h"

namespace plyx {

std::string hm(std::int64_t minutes) {
    const std::int64_t h = minutes / 60;
    const std::int64_t m = minutes - 60 * h;
    if (minutes > -60 && minutes < 60) return std::to_string(m) + "M";
    if (m == 0) return std::to_string(h) + "H";
    return std::to_string(h) + "H " + std::to_string(m) + "M";
}

} // namespace plyx
