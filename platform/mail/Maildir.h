#pragma once
// The user's mail inbox as a Maildir folder, the layout mail sync tools and
// many mail clients keep: new/ holds messages not yet seen by a client, cur/
// holds the rest, each file name carrying its flags after ":2," ("S" = seen).
// Reading never changes the folder.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plyx::mail {

/// Where the inbox was looked for, and the folder found.
struct InboxSearch {
    /// The inbox; none when no place looked at holds one.
    std::optional<std::filesystem::path> inbox;
    /// The places looked at, in the order tried; a pattern such as
    /// "~/Maildir/*/INBOX" stands for every account folder.
    std::vector<std::string> looked;
};

/// The inbox: $PLYX_MAILDIR when set (only there), else under ~/Maildir
/// (see `searchRoot`).
InboxSearch findInbox();
/// The inbox under a Maildir root, in this order: root/INBOX, root/.INBOX
/// (Maildir++), the root itself, then root/<account>/INBOX (first account by
/// name). "INBOX" matches in any letter case ("Inbox" as sync tools are often
/// set up). A root that exists but cannot be looked into is returned as the
/// inbox, so the reader reports it as unreadable rather than absent.
InboxSearch searchRoot(const std::filesystem::path& root);
/// One given folder: found when it exists.
InboxSearch searchAt(const std::filesystem::path& folder);

/// The inbox found, else the configured folder or the Maildir root.
std::filesystem::path inboxPath();

/// Whether the inbox folder exists (the mail side is "running").
bool inboxExists(const std::filesystem::path& inbox);

/// Bytes of a message read for its headers, of one header's value, and
/// characters of a preview ("sender: subject"); more is cut off.
inline constexpr std::size_t kHeaderSectionBytes = 64 * 1024;
inline constexpr std::size_t kHeaderValueBytes = 4096;
inline constexpr std::size_t kPreviewCharacters = 200;

/// What the inbox holds for the inbox widget.
struct InboxReading {
    std::int64_t unread = 0;
    /// The newest message's sender name (the address without one) and subject,
    /// MIME-decoded; none in an empty inbox.
    std::optional<std::string> sender;
    std::optional<std::string> subject;
};

/// Reads the inbox; nothing when new/ or cur/ cannot be listed. The newest
/// message is the one delivered last: by the delivery time in its name with
/// the microseconds writers add after "M", then by the file's modification
/// time, then by the name compared with its numbers as numbers.
std::optional<InboxReading> readInbox(const std::filesystem::path& inbox);

/// The reading in the reply form "count|sender: subject" ("count|" without a
/// message), the preview cut to `kPreviewCharacters`.
std::string replyText(const InboxReading& reading);

/// Decodes RFC 2047 encoded words ("=?utf-8?B?...?=", "=?iso-8859-1?Q?...?=")
/// in a header value; other text is kept as it is, read as Latin-1 when it is
/// not UTF-8. Linear in the value's length.
std::string decodeHeader(const std::string& value);

/// The display name of an address header ("Ann Lee <ann@x.org>" gives
/// "Ann Lee"), the address itself without one. Quotes are removed.
std::string senderName(const std::string& from);

/// `text` cut to at most `characters` UTF-8 characters.
std::string cutCharacters(std::string_view text, std::size_t characters);

/// Whether the desktop knows a default mail client.
bool hasMailClient();
/// Opens the default mail client without waiting for it; `done` runs on the
/// calling thread once the opener has finished (successfully or not).
void openMailClient(std::function<void()> done);

} // namespace plyx::mail
