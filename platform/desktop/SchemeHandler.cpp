#include "platform/desktop/SchemeHandler.h"

#include <QSaveFile>

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace plyx::desktop {

namespace {

constexpr const char* kDefaultsGroup = "[Default Applications]";

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

// Double-quoted, with '"', '`', '$' and the backslash escaped by a backslash
// for the quoting, and that backslash (and any in the path) escaped again for
// the entry's string rules; '%' doubled, as field codes start with it.
std::string execArgument(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\') out += "\\\\\\\\";  // four: one backslash, quoted then string-escaped
        else if (c == '"' || c == '`' || c == '$') out += std::string("\\\\") + c;
        else if (c == '%') out += "%%";
        else out += c;
    }
    return out + "\"";
}

bool writeFileIfChanged(const std::filesystem::path& p, const std::string& text) {
    std::error_code ec;
    if (std::filesystem::exists(p, ec) && readAll(p) == text) return true;
    std::filesystem::create_directories(p.parent_path(), ec);
    QSaveFile f(QString::fromStdString(p.string()));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(text.data(), static_cast<qint64>(text.size()));
    return f.commit();
}

std::string desktopEntryText(const SchemeHandler& h) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + h.name + "\n"
           "Exec=" + execArgument(h.program.string()) + " %u\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "MimeType=x-scheme-handler/" + h.scheme + ";\n";
}

std::string withDefaultHandler(const std::string& mimeapps, const SchemeHandler& h) {
    const std::string key = "x-scheme-handler/" + h.scheme;
    const std::string line = key + "=" + h.entryId;
    std::vector<std::string> lines;
    std::istringstream in(mimeapps);
    for (std::string l; std::getline(in, l);) lines.push_back(l);

    bool inGroup = false, groupSeen = false;
    std::size_t groupEnd = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& l = lines[i];
        if (!l.empty() && l[0] == '[') {
            if (inGroup) groupEnd = i;
            inGroup = l == kDefaultsGroup;
            if (inGroup) groupSeen = true;
            continue;
        }
        if (inGroup && l.rfind(key + "=", 0) == 0) {
            lines[i] = line;
            groupEnd = std::string::npos;  // replaced in place
            break;
        }
    }
    if (!groupSeen) {
        if (!lines.empty() && !lines.back().empty()) lines.push_back("");
        lines.push_back(kDefaultsGroup);
        lines.push_back(line);
    } else if (groupEnd != std::string::npos) {
        // After the group's last entry, before the blank lines that part it
        // from the next group.
        std::size_t at = groupEnd;
        while (at > 0 && lines[at - 1].empty()) --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    }
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

bool installSchemeHandler(const SchemeHandler& h, const std::filesystem::path& dataHome,
                          const std::filesystem::path& configHome) {
    const bool entry = writeFileIfChanged(dataHome / "applications" / h.entryId, desktopEntryText(h));
    const auto mimeapps = configHome / "mimeapps.list";
    std::error_code ec;
    const std::string current = std::filesystem::exists(mimeapps, ec) ? readAll(mimeapps) : std::string{};
    return entry && writeFileIfChanged(mimeapps, withDefaultHandler(current, h));
}

} // namespace plyx::desktop
