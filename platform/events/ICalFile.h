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
#include <string_view>
#include <vector>

namespace plyx::events::detail {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

/// One calendar file: its text as read, and its VCALENDAR once parsed.
struct CalendarFile {
    std::filesystem::path path;
    std::string text;
    ComponentPtr root;     ///< none until parsed, and when the text does not parse
    bool parsed = false;   ///< whether parsing was tried

    /// Whether the text has a component of this kind ("VEVENT", "VTODO"),
    /// so files without any need no parsing.
    bool mentions(std::string_view component) const;
    /// Parses the text on first use (a file that does not parse is logged
    /// once); the root, or null.
    icalcomponent* calendar();
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

/// Every calendar file of every source, read (spread over the processor's
/// cores) but not parsed, in source order. None when a source, or a file in it, cannot be read: the caller
/// must not take a partial read for the whole.
std::optional<std::vector<CalendarFile>> loadSources(const std::vector<std::filesystem::path>& sources);

} // namespace plyx::events::detail
