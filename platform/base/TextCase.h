#pragma once
// Letter case of UTF-8 text by Unicode's full rules (ß becomes SS, accented
// letters keep their accents), the same in every locale.
#include <string>
#include <string_view>

namespace plyx::text {

/// `s` in capitals, by the root locale's rules; bytes that are not UTF-8
/// become U+FFFD.
std::string upperCased(std::string_view s);

} // namespace plyx::text
