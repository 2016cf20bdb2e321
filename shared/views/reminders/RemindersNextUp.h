#pragma once
// A large countdown to the next reminder that falls due, with its title and
// time, or "Clear".
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

#include <cstdint>
#include <string>

namespace plyx {

struct RemindersNextUp {
    RemindersSnapshot data;
    WCtx ctx;

    ui::View body() const;

    /// Minutes under an hour as they are ("45", "0", "-5"); from an hour on
    /// the whole hours and "H" ("1H").
    static std::string countdownText(std::int64_t minutes);
    /// The caption under the countdown: "Min" under an hour, else the
    /// minutes past the whole hours and "M" ("30M").
    static std::string unitText(std::int64_t minutes);
};

} // namespace plyx
