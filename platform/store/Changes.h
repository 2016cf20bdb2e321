#pragma once
// Whether a suite file may have been written since a value was read from it,
// known without reading it: the kernel tells of every write to the file or
// its journal, by any process, and asking costs one system call. A value read
// after a mark was taken is still what the file holds while the file stays
// unwritten since the mark, and the mark came well after the last write seen:
// a write is announced as its bytes land, a moment before its transaction is
// visible to readers.
//
// When changes cannot be watched (no such folder, the in-memory store, no
// watches left) nothing is ever unchanged, and callers read every time.
#include <chrono>
#include <cstdint>
#include <filesystem>

namespace plyx::store {

struct ChangeMark {
    std::uint64_t changes = 0;
    std::chrono::steady_clock::time_point at{};
    bool watched = false;
};

/// How long after the last write seen a read is trusted to show it.
inline constexpr auto kWriteSettles = std::chrono::milliseconds(250);

/// A mark for `file`, to be taken before reading it.
ChangeMark changeMark(const std::filesystem::path& file);
/// Whether nothing wrote `file` since `mark`, taken at least kWriteSettles
/// after the write before it.
bool unchangedSince(const std::filesystem::path& file, const ChangeMark& mark);

} // namespace plyx::store
