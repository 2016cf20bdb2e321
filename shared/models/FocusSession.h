#pragma once
// The focus timer: when the running session ends, and its length.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <optional>

namespace plyx {

struct FocusSession {
    std::optional<Date> endDate;  ///< none when no session runs
    std::int64_t minutes = 25;

    /// A running session with 15:32 left, made once per process on first use.
    static const FocusSession& sample();

    bool operator==(const FocusSession&) const = default;
};

PLYX_CODABLE(FocusSession, endDate, minutes)

} // namespace plyx
