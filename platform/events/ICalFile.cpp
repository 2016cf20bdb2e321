#include "platform/events/ICalFile.h"

#include "platform/events/EventsLog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <thread>
#include <fcntl.h>
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
    std::sort(files.begin(), files.end());
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

ComponentPtr parseCalendar(const std::string& text, bool strict) {
    if (text.find("BEGIN:VCALENDAR") == std::string::npos && text.find("begin:vcalendar") == std::string::npos)
        return nullptr;
    ComponentPtr root(icalparser_parse_string(text.c_str()));
    if (!root) return nullptr;
    if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
        // Several calendars in one text: keep the first.
        icalcomponent* first = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
        if (!first) return nullptr;
        icalcomponent_remove_component(root.get(), first);
        root.reset(first);
    }
    if (icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT) return nullptr;
    if (strict && icalcomponent_count_errors(root.get()) > 0) return nullptr;
    return root;
}

bool CalendarFile::mentions(std::string_view component) const {
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

std::optional<std::vector<CalendarFile>> loadSources(const std::vector<fs::path>& sources) {
    std::vector<CalendarFile> out;
    for (const auto& source : sources) {
        auto files = sourceFiles(source);
        if (!files) {
            qCWarning(lcPlyxEvents) << "calendar source cannot be read:" << source.c_str();
            return std::nullopt;
        }
        for (auto& file : *files) out.push_back({std::move(file), {}, nullptr, false});
    }
    std::vector<char> failed(out.size(), 0);
    spread(out.size(), [&](size_t i) {
        if (auto text = readWhole(out[i].path)) out[i].text = std::move(*text);
        else failed[i] = 1;
    });
    for (size_t i = 0; i < out.size(); ++i)
        if (failed[i]) {
            qCWarning(lcPlyxEvents) << "calendar file cannot be read:" << out[i].path.c_str();
            return std::nullopt;
        }
    return out;
}

} // namespace plyx::events::detail
