#pragma once
// Reading calendar sources from disk. A source is a single ".ics" file (as
// desktop calendar applications keep their local calendar and tasks) or a
// folder in the vdir layout (one ".ics" file per item, in the folder itself
// or in one sub-folder per calendar, as calendar sync tools write it).
#include <libical/ical.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx::events::detail {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

/// One parsed calendar file.
struct CalendarFile {
    std::filesystem::path path;
    ComponentPtr root;  ///< a VCALENDAR
};

/// Whether `source` exists and can be listed (folder) or read (file).
bool isReadable(const std::filesystem::path& source);

/// The calendar files of a source, sorted by path; none when the source
/// cannot be read.
std::optional<std::vector<std::filesystem::path>> sourceFiles(const std::filesystem::path& source);

/// The whole content of a file; none when it cannot be read.
std::optional<std::string> readWhole(const std::filesystem::path& file);

/// The VCALENDAR of a file's text; none when the text is not a calendar.
/// `strict` also refuses a calendar in which the parser had to skip or
/// repair something, which is what a file must pass before it is rewritten.
ComponentPtr parseCalendar(const std::string& text, bool strict = false);

/// Every calendar file of every source, in source order. None when a source,
/// or a file in it, cannot be read: the caller must not take a partial read
/// for the whole. A file that does not parse is skipped (and logged).
std::optional<std::vector<CalendarFile>> loadSources(const std::vector<std::filesystem::path>& sources);

} // namespace plyx::events::detail
