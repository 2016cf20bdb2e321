#include "platform/events/CompletionEdit.h"

#include "platform/events/TodoIds.h"
#include "platform/time/Time.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace plyx::events::detail {

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kPriorStatus = "X-PLYX-PRIOR-STATUS";
constexpr const char* kPriorPercent = "X-PLYX-PRIOR-PERCENT-COMPLETE";
// Marks an instance that exists only to complete one occurrence.
constexpr const char* kCompletionOnly = "X-PLYX-COMPLETION-ONLY";

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

// One content line: the physical lines it spans (a folded line continues on
// lines that start with a blank) and its unfolded text.
struct Logical {
    size_t firstPhysical = 0;
    size_t endPhysical = 0;  // one past the last
    std::string unfolded;

    std::string name() const { return upper(unfolded.substr(0, unfolded.find_first_of(":;"))); }
    // Where the value starts: after the first colon outside a quoted parameter.
    size_t colon() const {
        bool quoted = false;
        for (size_t i = 0; i < unfolded.size(); ++i) {
            if (unfolded[i] == '"') quoted = !quoted;
            else if (unfolded[i] == ':' && !quoted) return i;
        }
        return std::string::npos;
    }
    std::string value() const {
        const auto c = colon();
        return c == std::string::npos ? std::string() : unfolded.substr(c + 1);
    }
    // The parameters as written, with their leading ';' ("" when none).
    std::string params() const {
        const auto c = colon();
        const auto semi = unfolded.find(';');
        return semi == std::string::npos || c == std::string::npos || semi > c ? std::string()
                                                                               : unfolded.substr(semi, c - semi);
    }
};

// A TEXT value as the parser reads it: "\," "\;" "\\" "\n" unescaped.
std::string unescaped(const std::string& v) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size()) {
            const char n = v[++i];
            out += (n == 'n' || n == 'N') ? '\n' : n;
        } else {
            out += v[i];
        }
    }
    return out;
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

struct Text {
    std::vector<std::string> physical;  // each with its own line ending
    std::vector<Logical> lines;
    std::string eol;                    // what new lines end with: the file's

    explicit Text(const std::string& text) {
        for (size_t at = 0; at < text.size();) {
            const auto nl = text.find('\n', at);
            const size_t end = nl == std::string::npos ? text.size() : nl + 1;
            physical.push_back(text.substr(at, end - at));
            at = end;
        }
        eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
        for (size_t i = 0; i < physical.size(); ++i) {
            std::string bare = physical[i];
            while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.pop_back();
            // A byte-order mark is no part of the first line's name.
            if (i == 0 && bare.rfind(kBom, 0) == 0) bare.erase(0, 3);
            if (!lines.empty() && !bare.empty() && (bare[0] == ' ' || bare[0] == '\t')) {
                lines.back().unfolded += bare.substr(1);
                lines.back().endPhysical = i + 1;
            } else {
                lines.push_back({i, i + 1, bare});
            }
        }
    }

    // The physical lines of content lines [from, to), as written.
    std::string verbatim(size_t from, size_t to) const {
        std::string out;
        for (size_t i = from; i < to; ++i)
            for (size_t p = lines[i].firstPhysical; p < lines[i].endPhysical; ++p) out += physical[p];
        return out;
    }
};

// One to-do directly inside a calendar, and where its parts are.
struct Block {
    size_t begin = 0, end = 0;   // content lines of BEGIN:VTODO and END:VTODO
    std::vector<size_t> own;     // its property lines, not those of its alarms
    size_t insertAt = 0;         // where added properties go
    std::optional<std::string> uid;
    std::optional<std::string> rid;
    bool recurring = false;
    int ordinal = 0;

    std::optional<size_t> first(const Text& t, const std::string& prop) const {
        for (size_t i : own)
            if (t.lines[i].name() == prop) return i;
        return std::nullopt;
    }
};

std::vector<Block> todos(const Text& t) {
    std::vector<Block> out;
    std::vector<std::string> stack;
    Block current;
    bool inside = false, insertSet = false;
    for (size_t i = 0; i < t.lines.size(); ++i) {
        const std::string name = t.lines[i].name();
        const bool atTodo = inside && stack.size() == 2;
        if (name == "BEGIN") {
            const std::string comp = upper(trimmed(t.lines[i].value()));
            if (atTodo && !insertSet) {
                current.insertAt = i;
                insertSet = true;
            }
            if (comp == "VTODO" && stack.size() == 1 && stack[0] == "VCALENDAR") {
                current = {};
                current.begin = i;
                current.ordinal = int(out.size()) + 1;
                inside = true;
                insertSet = false;
            }
            stack.push_back(comp);
        } else if (name == "END") {
            if (atTodo) {
                current.end = i;
                if (!insertSet) current.insertAt = i;
                out.push_back(current);
                inside = false;
            }
            if (!stack.empty()) stack.pop_back();
        } else if (atTodo) {
            current.own.push_back(i);
            if (name == "UID" && !current.uid) current.uid = unescaped(t.lines[i].value());
            if (name == "RECURRENCE-ID") current.rid = trimmed(t.lines[i].value());
            if (name == "RRULE") current.recurring = true;
        }
    }
    return out;
}

// The changes to make, by content line; untouched lines go out as they were.
struct Plan {
    std::map<size_t, std::string> replaced;  // new text, without line ending
    std::vector<bool> dropped;
    std::map<size_t, std::string> before;    // whole lines put before a content line

    explicit Plan(const Text& t) : dropped(t.lines.size(), false) {}

    // Sets each property of `block` to its value (the first line replaced in
    // place, any others dropped, an absent one added) or drops it on none.
    void set(const Text& t, const Block& block,
             const std::vector<std::pair<std::string, std::optional<std::string>>>& wanted) {
        for (const auto& [prop, value] : wanted) {
            bool present = false;
            for (size_t idx : block.own) {
                if (t.lines[idx].name() != prop) continue;
                if (value && !present) replaced[idx] = prop + ":" + *value;
                else dropped[idx] = true;
                present = true;
            }
            if (!present && value) before[block.insertAt] += prop + ":" + *value + t.eol;
        }
    }

    std::string apply(const Text& t) const {
        std::string out;
        for (size_t i = 0; i < t.lines.size(); ++i) {
            // Nothing goes before the first line (a calendar starts there), so
            // a byte-order mark stays first.
            if (auto b = before.find(i); b != before.end()) out += b->second;
            if (dropped[i]) continue;
            if (auto r = replaced.find(i); r != replaced.end()) {
                // Keep the line ending the replaced line had (the last line may have none).
                const std::string& last = t.physical[t.lines[i].endPhysical - 1];
                const bool hadEol = !last.empty() && last.back() == '\n';
                out += r->second + (hadEol ? t.eol : std::string());
                continue;
            }
            out += t.verbatim(i, i + 1);
        }
        return out;
    }
};

std::optional<std::string> valueOf(const Text& t, const Block& b, const std::string& prop) {
    if (auto i = b.first(t, prop)) return trimmed(t.lines[*i].value());
    return std::nullopt;
}

void completeInPlace(const Text& t, const Block& b, Date completedAt, Date now, Plan& plan) {
    const auto status = valueOf(t, b, "STATUS");
    const auto percent = valueOf(t, b, "PERCENT-COMPLETE");
    // Only what reopening could not guess is kept.
    const bool plainStatus = !status || upper(*status) == "NEEDS-ACTION" || upper(*status) == "COMPLETED";
    const bool plainPercent = !percent || *percent == "0" || *percent == "100";
    const std::string stamp = utcStamp(now);
    plan.set(t, b,
             {{"STATUS", "COMPLETED"},
              {"COMPLETED", utcStamp(completedAt)},
              {"PERCENT-COMPLETE", "100"},
              {"LAST-MODIFIED", stamp},
              {"DTSTAMP", stamp},
              {kPriorStatus, plainStatus ? std::nullopt : status},
              {kPriorPercent, plainPercent ? std::nullopt : percent}});
}

void reopenInPlace(const Text& t, const Block& b, Date now, Plan& plan) {
    const auto status = valueOf(t, b, kPriorStatus);
    const auto percent = valueOf(t, b, kPriorPercent);
    const std::string stamp = utcStamp(now);
    plan.set(t, b,
             {{"STATUS", status.value_or("NEEDS-ACTION")},
              {"COMPLETED", std::nullopt},
              {"PERCENT-COMPLETE", percent},
              {"LAST-MODIFIED", stamp},
              {"DTSTAMP", stamp},
              {kPriorStatus, std::nullopt},
              {kPriorPercent, std::nullopt}});
}

// The instance that completes one occurrence of the series `master`: its
// UID and title as the series writes them, the occurrence's start in the
// series' own form, and the completion.
std::string completionInstance(const Text& t, const Block& master, const std::string& rid, Date completedAt,
                               Date now) {
    const auto line = [&](const std::string& s) { return s + t.eol; };
    std::string out = line("BEGIN:VTODO");
    if (auto uid = master.first(t, "UID")) out += t.verbatim(*uid, *uid + 1);
    out += line("DTSTAMP:" + utcStamp(now));
    // The series counts from DTSTART, or from DUE when it has no start.
    const auto start = master.first(t, "DTSTART");
    const auto base = start ? start : master.first(t, "DUE");
    const std::string params = base ? t.lines[*base].params() : std::string();
    out += line("RECURRENCE-ID" + params + ":" + rid);
    if (base) out += line(t.lines[*base].name() + params + ":" + rid);
    if (auto summary = master.first(t, "SUMMARY")) out += t.verbatim(*summary, *summary + 1);
    out += line("STATUS:COMPLETED");
    out += line("COMPLETED:" + utcStamp(completedAt));
    out += line("PERCENT-COMPLETE:100");
    out += line(std::string(kCompletionOnly) + ":TRUE");
    out += line("END:VTODO");
    return out;
}

} // namespace

std::string utcStamp(Date d) { return time::formatPOSIX(d, "yyyyMMdd'T'HHmmss'Z'", "UTC"); }

std::optional<std::string> withCompletion(const std::string& text, const std::filesystem::path& file,
                                          const std::string& id, std::optional<Date> completedAt, Date now) {
    if (id.empty()) return std::nullopt;
    const Text t(text);
    const std::vector<Block> blocks = todos(t);
    Plan plan(t);

    // 1. Which to-do the identifier names here, trying its readings in turn.
    const Block* target = nullptr;
    const Block* series = nullptr;
    std::string rid;
    for (const TodoId& r : readingsOf(id, file)) {
        for (const Block& b : blocks) {
            if (r.ordinal) {
                if (b.ordinal == *r.ordinal && !b.uid) target = &b;
            } else if (r.recurrenceId) {
                if (b.uid == r.uid && b.rid == *r.recurrenceId) target = &b;
                else if (!series && b.uid == r.uid && !b.rid && b.recurring) series = &b;
            } else if (b.uid == r.uid && !b.rid) {
                target = &b;
            }
            if (target) break;
        }
        if (target) break;
        if (series) {
            rid = *r.recurrenceId;
            break;
        }
    }

    // 2. The change: an occurrence not yet written gets an instance of its
    //    own; a written one, or a plain to-do, changes in place, except an
    //    instance that only completed its occurrence, which goes again.
    if (!target) {
        if (!series || !completedAt) return std::nullopt;
        plan.before[series->begin] += completionInstance(t, *series, rid, *completedAt, now);
    } else if (completedAt) {
        completeInPlace(t, *target, *completedAt, now, plan);
    } else if (target->rid && target->first(t, kCompletionOnly)) {
        for (size_t i = target->begin; i <= target->end; ++i) plan.dropped[i] = true;
    } else {
        reopenInPlace(t, *target, now, plan);
    }
    return plan.apply(t);
}

bool rewritable(const std::string& text) {
    const bool bom = text.rfind(kBom, 0) == 0;
    const std::string body = bom ? text.substr(3) : text;
    if (body.find("BEGIN:VCALENDAR") == std::string::npos && body.find("begin:vcalendar") == std::string::npos)
        return false;
    icalcomponent* root = icalparser_parse_string(body.c_str());
    if (!root) return false;
    const icalcomponent_kind kind = icalcomponent_isa(root);
    bool ok = kind == ICAL_VCALENDAR_COMPONENT ||
              (kind == ICAL_XROOT_COMPONENT && icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT));
    // Errors are counted through every nested component, every calendar of the text included.
    ok = ok && icalcomponent_count_errors(root) == 0;
    icalcomponent_free(root);
    return ok;
}

} // namespace plyx::events::detail
