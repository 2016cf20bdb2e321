#include "platform/mail/Maildir.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

namespace plyx::mail {

namespace fs = std::filesystem;

fs::path inboxPath() {
    if (const char* env = std::getenv("PLYX_MAILDIR"); env && *env) return env;
    const char* home = std::getenv("HOME");
    const fs::path root = fs::path(home ? home : "") / "Maildir";
    std::error_code ec;
    if (fs::is_directory(root / "INBOX", ec)) return root / "INBOX";
    return root;
}

bool inboxExists(const fs::path& inbox) {
    std::error_code ec;
    return fs::is_directory(inbox, ec);
}

namespace {

struct Message {
    fs::path file;
    long long delivered = 0;  // seconds, from the name Maildir writers give a delivery
    bool unread = false;
};

// The flags after ":2," in a cur/ name ("…:2,FS"); none when the name has no info part.
std::string flagsOf(const std::string& name) {
    const auto at = name.rfind(":2,");
    return at == std::string::npos ? std::string() : name.substr(at + 3);
}

// Every Maildir writer starts a file name with the delivery time in seconds;
// a name that does not falls back to the file's modification time.
long long deliveryTime(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    long long t = 0;
    std::size_t i = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && i < 18; ++i) t = t * 10 + (name[i] - '0');
    if (i > 0) return t;
    std::error_code ec;
    const auto mtime = entry.last_write_time(ec);
    if (ec) return 0;
    return std::chrono::duration_cast<std::chrono::seconds>(mtime.time_since_epoch()).count();
}

// Lists the messages of one subfolder; false when it cannot be listed.
bool list(const fs::path& dir, bool isNew, std::vector<Message>& out) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !it->is_regular_file(ec)) continue;
        out.push_back({it->path(), deliveryTime(*it), isNew || flagsOf(name).find('S') == std::string::npos});
    }
    return !ec;
}

// The unfolded value of the first header `name` (case-insensitive) in the
// message's header section; empty when absent.
std::string headerValue(const fs::path& file, const std::string& name) {
    std::ifstream in(file, std::ios::binary);
    std::string line, value;
    bool inside = false;
    auto matches = [&](const std::string& l) {
        if (l.size() <= name.size() || l[name.size()] != ':') return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(l[i])) != std::tolower(static_cast<unsigned char>(name[i])))
                return false;
        return true;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;  // end of the header section
        const bool continuation = line[0] == ' ' || line[0] == '\t';
        if (inside) {
            if (!continuation) break;
            value += line;  // folding: the line break goes, the white space stays
            continue;
        }
        if (!continuation && matches(line)) {
            inside = true;
            value = line.substr(name.size() + 1);
        }
    }
    const auto first = value.find_first_not_of(" \t");
    const auto last = value.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
}

} // namespace

std::optional<InboxReading> readInbox(const fs::path& inbox) {
    std::vector<Message> messages;
    if (!list(inbox / "new", true, messages) || !list(inbox / "cur", false, messages)) return std::nullopt;

    InboxReading reading;
    const Message* newest = nullptr;
    for (const auto& m : messages) {
        if (m.unread) ++reading.unread;
        // Ties in delivery time go to the greater name, so the choice never
        // depends on the order the folder lists its files in.
        if (!newest || m.delivered > newest->delivered ||
            (m.delivered == newest->delivered && m.file.filename() > newest->file.filename()))
            newest = &m;
    }
    if (newest) {
        reading.sender = senderName(decodeHeader(headerValue(newest->file, "From")));
        reading.subject = decodeHeader(headerValue(newest->file, "Subject"));
    }
    return reading;
}

std::string replyText(const InboxReading& reading) {
    std::string reply = std::to_string(reading.unread) + "|";
    if (reading.sender || reading.subject) reply += reading.sender.value_or("") + ": " + reading.subject.value_or("");
    return reply;
}

} // namespace plyx::mail
