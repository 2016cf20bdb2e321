#include "platform/events/ICalFile.h"

#include "platform/events/EventsLog.h"
#include "platform/events/ReadLimits.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <thread>
#include <ctime>
#include <map>
#include <unordered_map>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plyx::events::detail {

namespace fs = std::filesystem;

namespace {

bool isCalendarFile(const fs::directory_entry& e) {
    std::error_code ec;
    if (!e.is_regular_file(ec)) return false;
    auto ext = e.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".ics";
}

// Adds the calendar files directly inside `folder`; false when it cannot be listed.
bool listFolder(const fs::path& folder, std::vector<fs::path>& files, std::vector<fs::path>* subfolders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        const auto& entry = *it;
        std::error_code dec;
        if (isCalendarFile(entry)) {
            files.push_back(entry.path());
        } else if (subfolders && entry.is_directory(dec) && entry.path().filename().string().rfind('.', 0) != 0) {
            subfolders->push_back(entry.path());
        }
    }
    return !ec;
}

// Runs `work(i)` for i in 0..<n on up to as many threads as the processor
// has cores (four at most), each thread taking every k-th index. The work
// items touch nothing in common, so no locking is needed. Only for plain
// file reading: the calendar parser keeps unguarded globals, so parsing
// stays on the calling thread.
template <class Work> void spread(size_t n, const Work& work) {
    const size_t cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    const size_t threads = std::min(cores, n / 64 + 1);  // small sources are not worth a thread
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back([&, t] {
            for (size_t i = t; i < n; i += threads) work(i);
        });
    for (size_t i = 0; i < n; i += threads) work(i);
    for (auto& h : helpers) h.join();
}

} // namespace

bool isReadable(const fs::path& source) {
    std::error_code ec;
    const auto status = fs::status(source, ec);
    if (ec) return false;
    if (fs::is_directory(status)) return ::access(source.c_str(), R_OK | X_OK) == 0;
    if (fs::is_regular_file(status)) return ::access(source.c_str(), R_OK) == 0;
    return false;
}

std::optional<std::vector<fs::path>> sourceFiles(const fs::path& source) {
    std::error_code ec;
    const auto status = fs::status(source, ec);
    if (ec) return std::nullopt;
    if (fs::is_regular_file(status)) return std::vector<fs::path>{source};
    if (!fs::is_directory(status)) return std::nullopt;
    std::vector<fs::path> files, subfolders;
    if (!listFolder(source, files, &subfolders)) return std::nullopt;
    for (const auto& sub : subfolders)
        if (!listFolder(sub, files, nullptr)) return std::nullopt;
    // Path order, name by name: the listed paths are plain, so that is text
    // order with the separator below every other byte. Comparing keys made
    // once is far cheaper than comparing paths.
    std::vector<std::pair<std::string, size_t>> keys(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        keys[i] = {files[i].native(), i};
        std::replace(keys[i].first.begin(), keys[i].first.end(), '/', '\x01');
    }
    std::sort(keys.begin(), keys.end());
    std::vector<fs::path> sorted;
    sorted.reserve(files.size());
    for (const auto& k : keys) sorted.push_back(std::move(files[k.second]));
    files = std::move(sorted);
    return files;
}

std::optional<std::string> readWhole(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    char buf[16384];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

namespace {

// The text without its content lines longer than `kMaxLineBytes` (a line
// and the folded lines that continue it); none when it has no such line, so
// the common case copies nothing.
// Whether some content line (folded lines included) is longer than the limit.
bool hasLongLine(const std::string& text) {
    if (text.size() <= kMaxLineBytes) return false;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    size_t logical = 0;
    for (const char* at = begin; at < end;) {
        const char* nl = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
        const char* next = nl ? nl + 1 : end;
        const bool continues = at != begin && (*at == ' ' || *at == '\t');
        logical = (continues ? logical : 0) + size_t(next - at);
        if (logical > kMaxLineBytes) return true;
        at = next;
    }
    return false;
}

std::optional<std::string> withoutLongLines(const std::string& text) {
    if (!hasLongLine(text)) return std::nullopt;
    struct Line {
        size_t begin, end;  // physical lines [begin, end) of the text, line endings included
        size_t length;      // unfolded length
    };
    auto lineEnd = [&](size_t at) {
        const auto nl = text.find('\n', at);
        return nl == std::string::npos ? text.size() : nl + 1;
    };
    auto contentLength = [&](size_t begin, size_t end) {
        size_t n = end - begin;
        while (n > 0 && (text[begin + n - 1] == '\n' || text[begin + n - 1] == '\r')) --n;
        return n;
    };
    std::vector<Line> lines;
    bool any = false;
    for (size_t at = 0; at < text.size();) {
        const size_t end = lineEnd(at);
        const size_t n = contentLength(at, end);
        const bool continues = !lines.empty() && n > 0 && (text[at] == ' ' || text[at] == '\t');
        if (continues) {
            lines.back().end = end;
            lines.back().length += n - 1;
        } else {
            lines.push_back({at, end, n});
        }
        any = any || lines.back().length > kMaxLineBytes;
        at = end;
    }
    if (!any) return std::nullopt;
    std::string out;
    out.reserve(text.size());
    for (const auto& l : lines)
        if (l.length <= kMaxLineBytes) out.append(text, l.begin, l.end - l.begin);
    return out;
}

} // namespace

ComponentPtr parseCalendar(const std::string& text, bool strict) {
    if (text.find("BEGIN:VCALENDAR") == std::string::npos && text.find("begin:vcalendar") == std::string::npos)
        return nullptr;
    const auto bounded = withoutLongLines(text);
    if (bounded) qCWarning(lcPlyxEvents) << "calendar lines longer than" << kMaxLineBytes << "bytes left out";
    ComponentPtr root(icalparser_parse_string(bounded ? bounded->c_str() : text.c_str()));
    if (!root) return nullptr;
    const icalcomponent_kind kind = icalcomponent_isa(root.get());
    // Several calendars in one text come under one root; they are all read.
    if (kind == ICAL_XROOT_COMPONENT) {
        if (!icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT)) return nullptr;
    } else if (kind != ICAL_VCALENDAR_COMPONENT) {
        return nullptr;
    }
    if (strict && icalcomponent_count_errors(root.get()) > 0) return nullptr;
    return root;
}

std::vector<icalcomponent*> CalendarFile::calendars() const {
    icalcomponent* r = root.get();
    if (!r) return {};
    if (icalcomponent_isa(r) == ICAL_VCALENDAR_COMPONENT) return {r};
    std::vector<icalcomponent*> out;
    for (icalcomponent* c = icalcomponent_get_first_component(r, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(r, ICAL_VCALENDAR_COMPONENT))
        out.push_back(c);
    return out;
}

bool CalendarFile::mentions(std::string_view component) const {
    for (const auto& [name, found] : mentioned_)
        if (name == component) return found;
    const bool found = scanFor(component);
    mentioned_.emplace_back(component, found);
    return found;
}

bool CalendarFile::scanFor(std::string_view component) const {
    // "BEGIN:" and the name, in any case, as the parser accepts it.
    const std::string_view t(text);
    for (size_t at = t.find(':'); at != std::string_view::npos; at = t.find(':', at + 1)) {
        if (at < 5 || t.size() - at - 1 < component.size()) continue;
        auto same = [](std::string_view a, std::string_view b) {
            for (size_t i = 0; i < a.size(); ++i)
                if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
            return true;
        };
        if (same(t.substr(at - 5, 5), "BEGIN") && same(t.substr(at + 1, component.size()), component)) return true;
    }
    return false;
}

icalcomponent* CalendarFile::calendar() {
    if (!parsed) {
        parsed = true;
        root = parseCalendar(text);
        if (!root) qCWarning(lcPlyxEvents) << "calendar file skipped, it does not parse:" << path.c_str();
    }
    return root.get();
}

namespace {

long long nanos(const struct timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

FileStamp stampOf(const struct stat& st) {
    return {static_cast<long long>(st.st_size), nanos(st.st_mtim), nanos(st.st_ctim),
            static_cast<unsigned long long>(st.st_ino), static_cast<unsigned long long>(st.st_dev)};
}

// File systems stamp changes with a coarse clock (from a few milliseconds
// to two seconds), so a file changed this close before a read may change
// again with the same stamp: such a file is read afresh next time.
constexpr long long kStampResolutionNs = 2000000000LL;

// Reads the file and the stamp of what was read; false when it cannot be read.
bool readStamped(CalendarFile& f, long long readAtNs) {
    const int fd = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    char buf[16384];
    while (ok) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) ok = false;
        if (n <= 0) break;
        f.text.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) return false;
    f.stamp = stampOf(st);
    f.recent = std::max(f.stamp.mtimeNs, f.stamp.ctimeNs) > readAtNs - kStampResolutionNs;
    return true;
}

// The files of the latest read, per source. Only that read's sources are
// kept: a sync reads the same ones again, while parsed calendars of other
// sources held on to cost more (in memory and its upkeep) than they save.
struct SourceCache {
    std::unordered_map<std::string, std::shared_ptr<CalendarFile>> files;
    unsigned long long lastUse = 0;
};
std::map<fs::path, SourceCache>& sourceCaches() {
    static std::map<fs::path, SourceCache> caches;
    return caches;
}
unsigned long long useCounter = 0;

} // namespace

std::mutex& calendarLock() {
    static std::mutex lock;
    return lock;
}

std::optional<std::vector<std::shared_ptr<CalendarFile>>> loadSources(const std::vector<fs::path>& sources) {
    auto& caches = sourceCaches();
    std::vector<fs::path> paths;
    std::vector<std::shared_ptr<CalendarFile>> known;  // the cached file of the same path, if any
    std::vector<size_t> firstOf;                       // index in `out` of each source's first file
    for (const auto& source : sources) {
        auto files = sourceFiles(source);
        if (!files) {
            qCWarning(lcPlyxEvents) << "calendar source cannot be read:" << source.c_str();
            return std::nullopt;
        }
        firstOf.push_back(paths.size());
        const auto cache = caches.find(source);
        for (auto& file : *files) {
            std::shared_ptr<CalendarFile> before;
            if (cache != caches.end())
                if (auto it = cache->second.files.find(file.native()); it != cache->second.files.end())
                    before = it->second;
            known.push_back(std::move(before));
            paths.push_back(std::move(file));
        }
    }
    firstOf.push_back(paths.size());

    struct timespec nowTs {};
    ::clock_gettime(CLOCK_REALTIME, &nowTs);
    const long long readAt = nanos(nowTs);
    std::vector<std::shared_ptr<CalendarFile>> out(paths.size());
    std::vector<char> failed(paths.size(), 0);
    spread(paths.size(), [&](size_t i) {
        if (const auto& before = known[i]; before && !before->recent) {
            struct stat st {};
            if (::stat(paths[i].c_str(), &st) == 0 && stampOf(st) == before->stamp) {
                out[i] = before;
                return;
            }
        }
        out[i] = std::make_shared<CalendarFile>();
        out[i]->path = paths[i];
        if (!readStamped(*out[i], readAt)) failed[i] = 1;
    });
    for (size_t i = 0; i < paths.size(); ++i)
        if (failed[i]) {
            qCWarning(lcPlyxEvents) << "calendar file cannot be read:" << paths[i].c_str();
            return std::nullopt;
        }

    // Each source's cache becomes what was found now, so files that went
    // away are forgotten; other sources are dropped.
    for (size_t s = 0; s < sources.size(); ++s) {
        const size_t first = firstOf[s], end = firstOf[s + 1];
        auto& cache = caches[sources[s]];
        cache.lastUse = ++useCounter;
        bool unchanged = cache.files.size() == end - first;
        for (size_t i = first; i < end && unchanged; ++i) unchanged = out[i] == known[i];
        if (unchanged) continue;
        SourceCache fresh;
        fresh.lastUse = cache.lastUse;
        fresh.files.reserve(end - first);
        for (size_t i = first; i < end; ++i) fresh.files.emplace(out[i]->path.native(), out[i]);
        cache = std::move(fresh);
    }
    const unsigned long long thisRead = useCounter - sources.size();
    std::erase_if(caches, [&](const auto& entry) { return entry.second.lastUse <= thisRead; });
    return out;
}

} // namespace plyx::events::detail
