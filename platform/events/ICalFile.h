#pragma once
// Reading calendar sources from disk. A source is a single ".ics" file (as
// desktop calendar applications keep their local calendar and tasks) or a
// folder in the vdir layout (one ".ics" file per item, in the folder itself
// or in one sub-folder per calendar, as calendar sync tools write it).
#include <libical/ical.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plyx::events::detail {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

/// What tells one state of a file from another without reading it.
struct FileStamp {
    long long size = -1;
    long long mtimeNs = 0;
    long long ctimeNs = 0;
    unsigned long long inode = 0;
    unsigned long long device = 0;

    bool operator==(const FileStamp&) const = default;
};

/// One calendar file: its text as read, and its calendars once parsed.
struct CalendarFile {
    std::filesystem::path path;
    std::string text;
    ComponentPtr root;     ///< none until parsed, and when the text does not parse
    bool parsed = false;   ///< whether parsing was tried
    FileStamp stamp;       ///< the file as it was when `text` was read
    /// Whether the file may have changed within the stamp's own resolution
    /// of the read (it was written just before), so the stamp cannot vouch
    /// for it next time.
    bool recent = true;

    /// Whether the text has a component of this kind ("VEVENT", "VTODO"),
    /// so files without any need no parsing.
    bool mentions(std::string_view component) const;
    /// Parses the text on first use (a file that does not parse is logged
    /// once); the root, or null.
    icalcomponent* calendar();
    /// The file's VCALENDARs in file order (a file may hold several, one
    /// after another, as concatenated exports do); none when it does not parse.
    std::vector<icalcomponent*> calendars() const;

private:
    bool scanFor(std::string_view component) const;
    /// What `mentions` found, per component name (a file is asked again by
    /// every read while it stays unchanged).
    mutable std::vector<std::pair<std::string, bool>> mentioned_;
};

/// Whether `source` exists and can be listed (folder) or read (file).
bool isReadable(const std::filesystem::path& source);

/// The calendar files of a source, sorted by path; none when the source
/// cannot be read.
std::optional<std::vector<std::filesystem::path>> sourceFiles(const std::filesystem::path& source);

/// The whole content of a file; none when it cannot be read.
std::optional<std::string> readWhole(const std::filesystem::path& file);

/// The calendars of a file's text: one VCALENDAR, or a root holding each of
/// several; none when the text holds no calendar. Content lines longer than
/// `kMaxLineBytes` are left out. `strict` also refuses a text in which the
/// parser had to skip or repair something, which is what a file must pass
/// before it is rewritten.
ComponentPtr parseCalendar(const std::string& text, bool strict = false);

/// Every calendar file of every source in source order, read (spread over
/// the processor's cores) but not parsed. A file whose stamp is that of an
/// earlier read in this process is that read's file, parse included, so a
/// sync after one change parses one file. None when a source, or a file in
/// it, cannot be read: the caller must not take a partial read for the
/// whole. Call with `calendarLock()` held.
std::optional<std::vector<std::shared_ptr<CalendarFile>>> loadSources(
    const std::vector<std::filesystem::path>& sources);

/// Held while loading sources and walking parsed calendars: files are shared
/// between reads, and the parser's components keep a cursor in each walk.
std::mutex& calendarLock();

} // namespace plyx::events::detail
