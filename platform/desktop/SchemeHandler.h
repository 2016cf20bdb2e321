#pragma once
// Makes a program the user's handler of a URL scheme: a desktop entry in the
// user's applications folder naming the scheme, and the user's default for it
// in mimeapps.list, so links of that scheme opened anywhere start (or reach)
// the program.
#include <filesystem>
#include <string>

namespace plyx::desktop {

struct SchemeHandler {
    std::string entryId;     ///< the entry's file name, "plyx.desktop"
    std::string name;        ///< what menus show
    std::filesystem::path program;  ///< absolute path of the program to run with the link
    std::string scheme;      ///< "plyxwidgets"
};

/// A path as one argument of a desktop entry's Exec line: quoted and escaped
/// as the entry format asks, so spaces, quotes, '$' and '%' in it survive.
std::string execArgument(const std::string& path);

/// Makes the file `p` hold `text`: folders made, the text written beside it
/// and renamed into place, nothing touched when it already holds it. Whether
/// it holds `text` afterwards.
bool writeFileIfChanged(const std::filesystem::path& p, const std::string& text);

/// The desktop entry's text for `h`: the link is passed as the program's
/// one argument (%u), the path quoted as the entry format asks.
std::string desktopEntryText(const SchemeHandler& h);

/// `mimeapps` with "x-scheme-handler/<scheme>=<entryId>" set in its
/// [Default Applications] group (the group added when missing); every other
/// line kept as it was.
std::string withDefaultHandler(const std::string& mimeapps, const SchemeHandler& h);

/// Writes the entry into `dataHome`/applications and the default into
/// `configHome`/mimeapps.list, each only when it changes, each replaced
/// atomically. Whether both are in place afterwards.
bool installSchemeHandler(const SchemeHandler& h, const std::filesystem::path& dataHome,
                          const std::filesystem::path& configHome);

} // namespace plyx::desktop
