#include "shared/stores/NotesFile.h"

#include "shared/storage/SharedStorage.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace plyx {

namespace NotesFile {

std::filesystem::path location() { return SharedStorage::container() / StorageKeys::notesFileName; }

std::optional<std::vector<NoteItem>> load(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) return std::vector<NoteItem>{};
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return coding::decode<std::vector<NoteItem>>(bytes.str());
}

std::vector<NoteItem> read(const std::filesystem::path& file) { return load(file).value_or(std::vector<NoteItem>{}); }

std::vector<NoteItem> read() { return read(location()); }

namespace {
bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}
} // namespace

bool write(const std::filesystem::path& file, const std::vector<NoteItem>& notes) {
    const auto text = coding::encode(notes);
    if (!text) return false;
    // The new content goes to a temporary file beside the target, which then
    // replaces it in one rename.
    std::string tmpl = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    // The temporary file is private; the list itself keeps ordinary permissions.
    const bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, *text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed || ::rename(tmpl.c_str(), file.c_str()) != 0) {
        ::unlink(tmpl.c_str());
        return false;
    }
    return true;
}

bool write(const std::vector<NoteItem>& notes) { return write(location(), notes); }

std::vector<NoteItem> newestFirst(std::vector<NoteItem> notes) {
    std::stable_sort(notes.begin(), notes.end(), [](const NoteItem& a, const NoteItem& b) { return a.edited > b.edited; });
    return notes;
}

std::vector<NoteItem> latest() { return newestFirst(read()); }

} // namespace NotesFile
} // namespace plyx
