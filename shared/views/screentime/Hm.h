#pragma once
// Minutes as the screen-time widgets print them: "45M", "2H", "1H 5M".
#include <cstdint>
#include <string>

namespace plyx {

std::string hm(std::int64_t minutes);

} // namespace plyx
