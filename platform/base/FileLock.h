#pragma once
// An exclusive lock on a file that several processes read, change and
// replace. The lock is taken on a separate lock file beside it ("<name>.lock"),
// not on the file itself, since replacing the file by a rename would leave a
// lock on the old one that nobody else can see. Advisory (flock): it keeps out
// every writer that takes it too, which all of ours do.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace plyx {

class FileLock {
public:
    /// The lock file that guards `file`: "<file>.lock" in the same folder.
    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

    /// Takes the lock that guards `file`, making the lock file (and its
    /// folder) when missing, waiting up to `wait` for another holder to let
    /// go. Nothing, with `error` naming the problem, when it could not.
    static std::optional<FileLock> acquire(const std::filesystem::path& file, std::chrono::milliseconds wait,
                                           std::string* error = nullptr);

    FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    /// Lets go of the lock.
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace plyx
