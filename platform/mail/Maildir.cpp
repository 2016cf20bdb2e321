#include "platform/mail/Maildir.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <system_error>
#include <vector>

namespace plyx::mail {

namespace fs = std::filesystem;

namespace {

// When a message was delivered, as far as its name tells: every Maildir
// writer starts a name with the delivery second, and many add the
// microsecond as "M<digits>" in the next dot-separated field
// ("1700000000.M123456P789.host", "1700000000.V803I1a2bM123456.host").
struct Delivery {
    std::optional<long long> second;
    std::optional<long> micro;
};

Delivery deliveryOf(std::string_view name) {
    Delivery d;
    long long t = 0;
    std::size_t i = 0;
    for (; i < name.size() && i < 18 && name[i] >= '0' && name[i] <= '9'; ++i) t = t * 10 + (name[i] - '0');
    if (i == 0) return d;
    d.second = t;
    if (i >= name.size() || name[i] != '.') return d;
    const auto field = name.substr(i + 1, name.substr(i + 1).find('.'));
    // "M" is not a hexadecimal digit, so it never hides inside an inode or
    // device number before it.
    for (std::size_t m = field.find('M'); m != std::string_view::npos; m = field.find('M', m + 1)) {
        long us = 0;
        std::size_t j = m + 1;
        for (; j < field.size() && j - m <= 6 && field[j] >= '0' && field[j] <= '9'; ++j) us = us * 10 + (field[j] - '0');
        if (j > m + 1 && (j == field.size() || field[j] < '0' || field[j] > '9')) {
            d.micro = us;
            break;
        }
    }
    return d;
}

// Names compared with runs of digits as numbers, so "…_12" comes after "…_9".
int compareNames(std::string_view a, std::string_view b) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && digit(a[ie])) ++ie;
            while (je < b.size() && digit(b[je])) ++je;
            auto ia = a.substr(i, ie - i), jb = b.substr(j, je - j);
            while (ia.size() > 1 && ia[0] == '0') ia.remove_prefix(1);
            while (jb.size() > 1 && jb[0] == '0') jb.remove_prefix(1);
            if (ia.size() != jb.size()) return ia.size() < jb.size() ? -1 : 1;
            if (const int c = ia.compare(jb); c != 0) return c < 0 ? -1 : 1;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
}

struct Message {
    fs::path file;
    std::string name;
    Delivery delivery;
    std::optional<fs::file_time_type> modified;  // read only when a tie needs it
    bool unread = false;
};

fs::file_time_type modifiedOf(Message& m) {
    if (!m.modified) {
        std::error_code ec;
        const auto t = fs::last_write_time(m.file, ec);
        m.modified = ec ? fs::file_time_type{} : t;
    }
    return *m.modified;
}

long long secondOf(Message& m) {
    if (m.delivery.second) return *m.delivery.second;
    // A name without a delivery time: the file's own time stands in.
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::file_clock::to_sys(modifiedOf(m)).time_since_epoch())
        .count();
}

// Whether `a` was delivered after `b`.
bool deliveredAfter(Message& a, Message& b) {
    if (const auto sa = secondOf(a), sb = secondOf(b); sa != sb) return sa > sb;
    if (a.delivery.micro && b.delivery.micro && *a.delivery.micro != *b.delivery.micro)
        return *a.delivery.micro > *b.delivery.micro;
    if (const auto ma = modifiedOf(a), mb = modifiedOf(b); ma != mb) return ma > mb;
    // Last, the name alone, so the choice never depends on the order the
    // folder lists its files in.
    return compareNames(a.name, b.name) > 0;
}

// The flags after ":2," in a cur/ name ("…:2,FS"); none when the name has no info part.
std::string_view flagsOf(std::string_view name) {
    const auto at = name.rfind(":2,");
    return at == std::string_view::npos ? std::string_view() : name.substr(at + 3);
}

// Lists the messages of one subfolder; false when it cannot be listed.
bool list(const fs::path& dir, bool isNew, std::vector<Message>& out) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !it->is_regular_file(ec)) continue;
        const bool unread = isNew || flagsOf(name).find('S') == std::string_view::npos;
        const auto delivery = deliveryOf(name);
        out.push_back({it->path(), std::move(name), delivery, std::nullopt, unread});
    }
    return !ec;
}

// A value cut to `kHeaderValueBytes`, never inside a UTF-8 character.
void cutValue(std::string& value) {
    if (value.size() <= kHeaderValueBytes) return;
    std::size_t cut = kHeaderValueBytes;
    for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80; ++back) --cut;
    value.resize(cut);
}

// The unfolded values of the headers `names` (case-insensitive; the first of
// each) in the message's header section, of which at most
// `kHeaderSectionBytes` are read; empty when absent.
std::vector<std::string> headerValues(const fs::path& file, const std::vector<std::string_view>& names) {
    std::vector<std::string> values(names.size());
    std::vector<bool> seen(names.size(), false);
    std::string head(kHeaderSectionBytes, '\0');
    {
        std::ifstream in(file, std::ios::binary);
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    }
    auto matches = [](std::string_view line, std::string_view name) {
        if (line.size() <= name.size() || line[name.size()] != ':') return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(name[i])))
                return false;
        return true;
    };
    std::optional<std::size_t> inside;
    std::size_t pos = 0;
    while (pos < head.size()) {
        auto eol = head.find('\n', pos);
        if (eol == std::string::npos) eol = head.size();
        std::string_view line(head.data() + pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;  // end of the header section
        const bool continuation = line[0] == ' ' || line[0] == '\t';
        if (continuation) {
            // Folding: the line break goes, the white space stays.
            if (inside && values[*inside].size() <= kHeaderValueBytes) values[*inside] += line;
            continue;
        }
        inside.reset();
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (!seen[k] && matches(line, names[k])) {
                seen[k] = true;
                inside = k;
                values[k] = line.substr(names[k].size() + 1, kHeaderValueBytes + 2);
                break;
            }
        }
    }
    for (auto& value : values) {
        value.erase(0, std::min(value.find_first_not_of(" \t"), value.size()));
        cutValue(value);
        value.erase(value.find_last_not_of(" \t") + 1);
    }
    return values;
}

} // namespace

std::optional<InboxReading> readInbox(const fs::path& inbox) {
    std::vector<Message> messages;
    if (!list(inbox / "new", true, messages) || !list(inbox / "cur", false, messages)) return std::nullopt;

    InboxReading reading;
    Message* newest = nullptr;
    for (auto& m : messages) {
        if (m.unread) ++reading.unread;
        if (!newest || deliveredAfter(m, *newest)) newest = &m;
    }
    if (newest) {
        const auto values = headerValues(newest->file, {"From", "Subject"});
        reading.sender = senderName(decodeHeader(values[0]));
        reading.subject = decodeHeader(values[1]);
    }
    return reading;
}

std::string cutCharacters(std::string_view text, std::size_t characters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (count++ == characters) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string replyText(const InboxReading& reading) {
    std::string reply = std::to_string(reading.unread) + "|";
    if (reading.sender || reading.subject)
        reply += cutCharacters(reading.sender.value_or("") + ": " + reading.subject.value_or(""), kPreviewCharacters);
    return reply;
}

} // namespace plyx::mail
