#pragma once
// The user's mail inbox as a Maildir folder, the layout mail sync tools and
// many mail clients keep: new/ holds messages not yet seen by a client, cur/
// holds the rest, each file name carrying its flags after ":2," ("S" = seen).
// Reading never changes the folder.
#include <cstdint>
#include <functional>
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::mail {

/// The inbox: $PLYX_MAILDIR when set, else ~/Maildir/INBOX when it exists,
/// else ~/Maildir.
std::filesystem::path inboxPath();

/// Whether the inbox folder exists (the mail side is "running").
bool inboxExists(const std::filesystem::path& inbox);

/// What the inbox holds for the inbox widget.
struct InboxReading {
    std::int64_t unread = 0;
    /// The newest message's sender name (the address without one) and subject,
    /// MIME-decoded; none in an empty inbox.
    std::optional<std::string> sender;
    std::optional<std::string> subject;
};

/// Reads the inbox; nothing when new/ or cur/ cannot be listed.
std::optional<InboxReading> readInbox(const std::filesystem::path& inbox);

/// The reading in the reply form "count|sender: subject" ("count|" without a message).
std::string replyText(const InboxReading& reading);

/// Decodes RFC 2047 encoded words ("=?utf-8?B?...?=", "=?iso-8859-1?Q?...?=")
/// in a header value; other text is kept as it is.
std::string decodeHeader(const std::string& value);

/// The display name of an address header ("Ann Lee <ann@x.org>" gives
/// "Ann Lee"), the address itself without one. Quotes are removed.
std::string senderName(const std::string& from);

/// Whether the desktop knows a default mail client.
bool hasMailClient();
/// Opens the default mail client without waiting for it; `done` runs on the
/// calling thread once the opener has finished (successfully or not).
void openMailClient(std::function<void()> done);

} // namespace plyx::mail
