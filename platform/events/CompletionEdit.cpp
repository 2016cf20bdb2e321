#include "platform/events/CompletionEdit.h"

#include "platform/time/Time.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace plyx::events::detail {

namespace {

// One content line: the physical lines it spans (a folded line continues on
// lines that start with a blank) and its unfolded text.
struct Logical {
    size_t firstPhysical = 0;
    size_t endPhysical = 0;  // one past the last
    std::string unfolded;

    std::string name() const {
        const auto end = unfolded.find_first_of(":;");
        std::string n = unfolded.substr(0, end);
        std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        return n;
    }
    std::string value() const {
        // The value follows the first colon outside a quoted parameter.
        bool quoted = false;
        for (size_t i = 0; i < unfolded.size(); ++i) {
            if (unfolded[i] == '"') quoted = !quoted;
            else if (unfolded[i] == ':' && !quoted) return unfolded.substr(i + 1);
        }
        return {};
    }
};

std::string withoutEol(const std::string& line) {
    size_t n = line.size();
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
    return line.substr(0, n);
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

} // namespace

std::string utcStamp(Date d) { return time::formatPOSIX(d, "yyyyMMdd'T'HHmmss'Z'", "UTC"); }

std::optional<std::string> withCompletion(const std::string& text, const std::string& uid,
                                          std::optional<Date> completedAt, Date now) {
    // 1. Physical lines, each with its own line ending; new lines take the file's.
    std::vector<std::string> physical;
    for (size_t at = 0; at < text.size();) {
        const auto nl = text.find('\n', at);
        const size_t end = nl == std::string::npos ? text.size() : nl + 1;
        physical.push_back(text.substr(at, end - at));
        at = end;
    }
    const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";

    // 2. Content lines, unfolded.
    std::vector<Logical> lines;
    for (size_t i = 0; i < physical.size(); ++i) {
        const std::string bare = withoutEol(physical[i]);
        if (!lines.empty() && !bare.empty() && (bare[0] == ' ' || bare[0] == '\t')) {
            lines.back().unfolded += bare.substr(1);
            lines.back().endPhysical = i + 1;
        } else {
            lines.push_back({i, i + 1, bare});
        }
    }

    // 3. Find the to-do: a VTODO with this UID and no RECURRENCE-ID; remember
    //    its own lines (not those of its alarms) and where new ones go.
    struct Found {
        std::vector<size_t> own;  // indices into `lines`
        size_t insertAt = 0;      // index into `lines`
    };
    std::optional<Found> target;
    std::vector<std::string> stack;
    Found current;
    bool matches = false, instance = false, insertSet = false;
    for (size_t i = 0; i < lines.size() && !target; ++i) {
        const std::string name = lines[i].name();
        if (name == "BEGIN") {
            const std::string comp = upper(lines[i].value());
            if (!stack.empty() && stack.back() == "VTODO" && stack.size() == 2 && !insertSet) {
                current.insertAt = i;
                insertSet = true;
            }
            stack.push_back(comp);
            if (comp == "VTODO" && stack.size() == 2) {
                current = {};
                matches = instance = insertSet = false;
            }
            continue;
        }
        if (name == "END") {
            if (!stack.empty() && stack.back() == "VTODO" && stack.size() == 2) {
                if (!insertSet) current.insertAt = i;
                if (matches && !instance) target = current;
            }
            if (!stack.empty()) stack.pop_back();
            continue;
        }
        if (stack.size() == 2 && stack.back() == "VTODO") {
            current.own.push_back(i);
            if (name == "UID" && lines[i].value() == uid) matches = true;
            if (name == "RECURRENCE-ID") instance = true;
        }
    }
    if (!target) return std::nullopt;

    // 4. The new value of each managed property; none removes it.
    const bool done = completedAt.has_value();
    const std::string stamp = utcStamp(now);
    const std::vector<std::pair<std::string, std::optional<std::string>>> wanted{
        {"STATUS", done ? "COMPLETED" : "NEEDS-ACTION"},
        {"COMPLETED", done ? std::optional<std::string>(utcStamp(*completedAt)) : std::nullopt},
        {"PERCENT-COMPLETE", done ? std::optional<std::string>("100") : std::nullopt},
        {"LAST-MODIFIED", stamp},
        {"DTSTAMP", stamp},
    };

    // 5. Replace in place, drop, or collect for insertion.
    std::vector<std::optional<std::string>> replacement(lines.size());  // new text of a content line
    std::vector<bool> dropped(lines.size(), false);
    std::string inserted;
    for (const auto& [prop, value] : wanted) {
        bool present = false;
        for (size_t idx : target->own) {
            if (lines[idx].name() != prop) continue;
            if (value && !present) replacement[idx] = prop + ":" + *value;
            else dropped[idx] = true;
            present = true;
        }
        if (!present && value) inserted += prop + ":" + *value + eol;
    }

    // 6. Reassemble: untouched lines exactly as they were.
    std::string out;
    out.reserve(text.size() + inserted.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == target->insertAt) out += inserted;
        if (dropped[i]) continue;
        if (replacement[i]) {
            // Keep the line ending the replaced line had (the last line may have none).
            const std::string& last = physical[lines[i].endPhysical - 1];
            const bool hadEol = !last.empty() && last.back() == '\n';
            out += *replacement[i] + (hadEol ? eol : std::string());
            continue;
        }
        for (size_t p = lines[i].firstPhysical; p < lines[i].endPhysical; ++p) out += physical[p];
    }
    return out;
}

} // namespace plyx::events::detail
