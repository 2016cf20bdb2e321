#pragma once
// The mail inbox's unread count and newest message, as the mail poller last read it.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plyx {

struct InboxSnapshot {
    std::int64_t unread = 0;
    std::optional<std::string> latestPreview;  ///< "Sender: Subject"; none without a message
    std::optional<Date> latestDate;            ///< none when mail was not readable
    bool connected = false;                    ///< the last poll read the mail
    Date updated;

    /// Three unread, one preview; made once per process on first use.
    static const InboxSnapshot& sample();

    bool operator==(const InboxSnapshot&) const = default;
};

PLYX_CODABLE(InboxSnapshot, unread, latestPreview, latestDate, connected, updated)

} // namespace plyx
