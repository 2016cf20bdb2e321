#pragma once
// A user-defaults suite: a small typed key-value store kept in one SQLite
// file, so the application and the widget extension can read and write it at
// the same time. Every call is one statement (or one immediate transaction
// for update), so a write is visible to the other process on its next read.
//
// Threads: a Defaults value names a suite; it holds no SQLite connection.
// Each thread that uses a value works through a connection of its own, opened
// on that thread's first use and kept open for the thread's life, so a value
// copied to a worker never shares a connection with the thread that made it,
// and repeated use costs an SQLite statement, not an open. Any number of
// threads may use copies of one value (or the same value) at once.
//
// Waiting: a write finds the file locked while another program writes it.
// A value waits up to two seconds for the lock, so the user's own data (a
// tap, a note, a setting) lands; a value made by withoutWaiting() gives up at
// once, for caches and samples that the next refresh writes again, so that a
// render never waits on another program. A write that gave up returns false.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace plyx::store {

class Defaults {
public:
    /// Opens the suite `name` (the file dataRoot()/<name>/defaults.sqlite, so a
    /// group's suite lies in its app-group container); nothing when it cannot
    /// be opened: the file is busy past a short wait, is not a database, or
    /// holds tables of another layout (such a file is left exactly as it was).
    /// A suite that could not be opened is not tried again by this process.
    static std::optional<Defaults> suite(const std::string& name);
    /// Opens the suite, or the process's standard defaults when it cannot be opened.
    static Defaults suiteOrStandard(const std::string& name);
    /// The process's standard defaults. Their file is named after
    /// standardName(); without a name, or when that file cannot be opened,
    /// they are an empty in-memory store shared by the process's threads.
    static Defaults standard();
    /// The name of the standard defaults, given once at start by each program
    /// (the application's identifier); empty until then.
    static void setStandardName(const std::string& name);
    static std::string standardName();

    /// Where this store keeps its values (":memory:" for the in-memory store).
    const std::filesystem::path& path() const;

    /// The same suite, its writes giving up at once when the file is locked.
    Defaults withoutWaiting() const;

    // Each setter returns whether the value was written.

    /// None when absent or of another type than data.
    std::optional<std::string> data(const std::string& key) const;
    bool setData(const std::string& key, const std::string& bytes);

    /// 0 when absent or not a number.
    std::int64_t integer(const std::string& key) const;
    bool setInteger(const std::string& key, std::int64_t v);

    /// false when absent.
    bool boolean(const std::string& key) const;
    bool setBool(const std::string& key, bool v);

    /// 0 when absent or not a number.
    double real(const std::string& key) const;
    bool setDouble(const std::string& key, double v);

    std::optional<std::string> string(const std::string& key) const;
    bool setString(const std::string& key, const std::string& v);

    bool contains(const std::string& key) const;
    /// Whether `key` holds a value that is not data (text, a number, null),
    /// which `data` reads as absent.
    bool holdsOtherThanData(const std::string& key) const;
    /// Copies the value under `from`, whatever its type, to `to`; false when
    /// there is none or it could not be written.
    bool copy(const std::string& from, const std::string& to);
    bool remove(const std::string& key);

    /// Atomic read-modify-write of a data value, in one immediate
    /// transaction: `fn` gets the current value (none when absent) and
    /// returns the new one (none removes the key). Returns false only when the
    /// store failed.
    bool update(const std::string& key,
                const std::function<std::optional<std::string>(std::optional<std::string>)>& fn);
    /// Atomic read-modify-write of an integer (absent reads 0); returns the
    /// value written, none when the store failed.
    std::optional<std::int64_t> updateInteger(const std::string& key,
                                              const std::function<std::int64_t(std::int64_t)>& fn);

    /// A suite file, as every copy of a value names it (defined in the source).
    struct Suite;

private:
    explicit Defaults(std::shared_ptr<Suite> s) : suite_(std::move(s)) {}
    std::shared_ptr<Suite> suite_;
    bool waits_ = true;
};

} // namespace plyx::store
