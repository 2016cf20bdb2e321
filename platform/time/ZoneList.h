#pragma once
// The time-zone identifiers this system knows, as ICU lists them.
#include <string>
#include <vector>

namespace plyx::time {

/// Every zone identifier ICU knows, legacy aliases included, in ICU's own
/// order (sorted by code point). Read once per process.
const std::vector<std::string>& knownZoneIdentifiers();

} // namespace plyx::time
