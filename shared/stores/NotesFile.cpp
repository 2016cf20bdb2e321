#include "shared/stores/NotesFile.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/TextLength.h"
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

bool write(const std::filesystem::path& file, const std::vector<NoteItem>& notes) {
    const auto text = coding::encode(notes);
    // The list keeps ordinary permissions, and a linked notes.json stays a link.
    return text && !files::replaceFile(file, *text, 0644);
}

bool write(const std::vector<NoteItem>& notes) { return write(location(), notes); }

std::vector<NoteItem> newestFirst(std::vector<NoteItem> notes) {
    std::stable_sort(notes.begin(), notes.end(), [](const NoteItem& a, const NoteItem& b) { return a.edited > b.edited; });
    return notes;
}

std::vector<NoteItem> latest() {
    auto notes = newestFirst(read());
    // The widgets show a note's beginning; the file keeps it whole.
    for (auto& note : notes) note.text = text::heldToLength(note.text, text::kMaxShownTextLength);
    return notes;
}

} // namespace NotesFile
} // namespace plyx
