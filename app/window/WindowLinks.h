#pragma once
// What a "plyxwidgets" link asks of the main window: the notes manager
// (composing a new note or on the list), or one of the desktop's own
// applications. Every comparison is exact and case-sensitive; anything else
// asks for nothing.
#include <string>
#include <string_view>
#include <variant>

namespace plyx::WindowLinks {

inline constexpr const char* kScheme = "plyxwidgets";

/// The desktop applications a widget can open.
enum class DesktopApp { weather, calendar, reminders };

struct OpenNotes {
    bool composing = false;  ///< the path is exactly "/new"
    friend bool operator==(const OpenNotes&, const OpenNotes&) = default;
};
struct OpenApp {
    DesktopApp app;
    friend bool operator==(const OpenApp&, const OpenApp&) = default;
};
using Action = std::variant<std::monostate, OpenNotes, OpenApp>;

/// The parts of a link as the handler reads them: scheme and host as
/// written (no case folding), the path percent-decoded.
struct LinkParts {
    std::string scheme;
    std::string host;
    std::string path;
};
/// Nothing usable (`scheme` empty) when the text has no scheme.
LinkParts split(std::string_view url);

/// The last component of a path: trailing slashes ignored, "/" for a path of
/// slashes only, "" for an empty path.
std::string lastPathComponent(const std::string& path);

/// What `url` asks for.
Action actionFor(std::string_view url);

} // namespace plyx::WindowLinks
