#include "shared/models/NoteItem.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace plyx {

const std::vector<NoteItem>& NoteItem::samples() {
    static const std::vector<NoteItem> s = [] {
        // Each note reads the clock as it is made.
        const auto note = [](const char* text, double age, bool pinned) {
            return NoteItem{Uuid::random(), text, time::now() - age, pinned};
        };
        std::vector<NoteItem> v;
        v.push_back(note("Widget idea \u2014 dot-matrix pomodoro that fills as the session burns down.", 0, false));
        v.push_back(note("Pick up the spare keys from Jonas before seven.", 3600, false));
        v.push_back(note("1.2 changelog draft", 86400, false));
        v.push_back(note("Launch checklist: notarize, screenshots, press kit", 86400, true));
        v.push_back(note("Ask Maya about the dot map easter egg.", 259200, true));
        v.push_back(note("Refund policy wording", 345600, false));
        v.push_back(note("Widget gallery re-order", 432000, false));
        return v;
    }();
    return s;
}

namespace NotesFile {

std::filesystem::path location() { return SharedStorage::container() / StorageKeys::notesFileName; }

std::vector<NoteItem> read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return {};
    return coding::decode<std::vector<NoteItem>>(bytes.str()).value_or(std::vector<NoteItem>{});
}

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
