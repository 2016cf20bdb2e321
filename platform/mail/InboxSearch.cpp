#include "platform/mail/Maildir.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace plyx::mail {

namespace fs = std::filesystem;

namespace {

bool isMaildir(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "cur", ec) && fs::is_directory(folder / "new", ec);
}

bool isInboxName(const std::string& name, bool dotted) {
    std::string_view n = name;
    if (dotted) {
        if (n.empty() || n[0] != '.') return false;
        n.remove_prefix(1);
    }
    constexpr std::string_view inbox = "inbox";
    return n.size() == inbox.size() && std::equal(n.begin(), n.end(), inbox.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// The child of `folder` named INBOX (or .INBOX) in any letter case that is a
// Maildir; the exact upper-case name wins over other spellings.
std::optional<fs::path> inboxChild(const fs::path& folder, bool dotted) {
    const fs::path exact = folder / (dotted ? ".INBOX" : "INBOX");
    if (isMaildir(exact)) return exact;
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (isInboxName(it->path().filename().string(), dotted) && isMaildir(it->path())) found.push_back(it->path());
    if (found.empty()) return std::nullopt;
    return *std::min_element(found.begin(), found.end());
}

} // namespace

InboxSearch searchAt(const fs::path& folder) {
    InboxSearch search;
    search.looked.push_back(folder.string());
    if (inboxExists(folder)) search.inbox = folder;
    return search;
}

InboxSearch searchRoot(const fs::path& root) {
    InboxSearch search;
    search.looked = {(root / "INBOX").string(), (root / ".INBOX").string(), root.string(),
                     (root / "*" / "INBOX").string()};
    std::error_code ec;
    const auto status = fs::status(root, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
        search.inbox = root;  // there, but we may not look: the reader says so
        return search;
    }
    if (!fs::is_directory(status)) return search;
    if (auto inbox = inboxChild(root, false)) {
        search.inbox = inbox;
    } else if (auto dotted = inboxChild(root, true)) {
        search.inbox = dotted;
    } else if (isMaildir(root)) {
        search.inbox = root;
    } else {
        // One folder per account, as sync tools lay out several accounts.
        std::vector<fs::path> accounts;
        for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            const auto name = it->path().filename().string();
            if (!name.empty() && name[0] != '.' && it->is_directory(ec)) accounts.push_back(it->path());
        }
        if (ec && accounts.empty()) {
            search.inbox = root;
            return search;
        }
        std::sort(accounts.begin(), accounts.end());
        for (const auto& account : accounts) {
            if (auto inbox = inboxChild(account, false)) {
                search.inbox = inbox;
                break;
            }
        }
    }
    return search;
}

namespace {
// The configured folder, or the Maildir root under the home folder.
std::pair<fs::path, bool> configured() {
    if (const char* env = std::getenv("PLYX_MAILDIR"); env && *env) return {env, true};
    const char* home = std::getenv("HOME");
    return {fs::path(home ? home : "") / "Maildir", false};
}
} // namespace

InboxSearch findInbox() {
    const auto [folder, exact] = configured();
    return exact ? searchAt(folder) : searchRoot(folder);
}

fs::path inboxPath() {
    const auto search = findInbox();
    return search.inbox ? *search.inbox : configured().first;
}

bool inboxExists(const fs::path& inbox) {
    std::error_code ec;
    return fs::is_directory(inbox, ec);
}

} // namespace plyx::mail
