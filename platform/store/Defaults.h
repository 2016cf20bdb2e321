#pragma once
// A user-defaults suite: a small typed key-value store kept in one SQLite
// file, so the application and the widget extension can read and write it at
// the same time. Every call is one statement (or one immediate transaction
// for update), so a write is visible to the other process on its next read.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace plyx::store {

/// The base folder of everything Plyx keeps: $XDG_DATA_HOME/plyx
/// (~/.local/share/plyx when XDG_DATA_HOME is unset or not absolute).
std::filesystem::path dataRoot();

/// The app-group container folder of `groupId`, created when missing:
/// dataRoot()/<groupId>. When it cannot be made, the process's temporary
/// folder.
std::filesystem::path appGroupContainer(const std::string& groupId);

class Defaults {
public:
    /// Opens the suite `name` (the file dataRoot()/<name>/defaults.sqlite, so a
    /// group's suite lies in its app-group container); nothing when it cannot
    /// be opened.
    static std::optional<Defaults> suite(const std::string& name);
    /// Opens the suite, or the process's standard defaults when it cannot be opened.
    static Defaults suiteOrStandard(const std::string& name);
    /// The process's standard defaults. Their file is named after
    /// standardName(); a store that cannot be opened behaves as an empty,
    /// in-memory one.
    static Defaults standard();
    /// The name of the standard defaults ("com.zelvanedesigns.plyx" for the
    /// application); set once at start by each executable.
    static void setStandardName(const std::string& name);
    static std::string standardName();

    /// Where this store keeps its values.
    const std::filesystem::path& path() const;

    std::optional<std::string> data(const std::string& key) const;
    void setData(const std::string& key, const std::string& bytes);

    /// 0 when absent or not a number.
    std::int64_t integer(const std::string& key) const;
    void setInteger(const std::string& key, std::int64_t v);

    /// false when absent.
    bool boolean(const std::string& key) const;
    void setBool(const std::string& key, bool v);

    /// 0 when absent or not a number.
    double real(const std::string& key) const;
    void setDouble(const std::string& key, double v);

    std::optional<std::string> string(const std::string& key) const;
    void setString(const std::string& key, const std::string& v);

    bool contains(const std::string& key) const;
    void remove(const std::string& key);

    /// Atomic read-modify-write of a data value, in one immediate
    /// transaction: `fn` gets the current value (none when absent) and
    /// returns the new one (none removes the key). Returns false only when the
    /// store failed.
    bool update(const std::string& key,
                const std::function<std::optional<std::string>(std::optional<std::string>)>& fn);
    /// Atomic read-modify-write of an integer (absent reads 0); returns the
    /// value written.
    std::int64_t updateInteger(const std::string& key, const std::function<std::int64_t(std::int64_t)>& fn);

    struct Connection;

private:
    explicit Defaults(std::shared_ptr<Connection> c) : conn_(std::move(c)) {}
    std::shared_ptr<Connection> conn_;
};

} // namespace plyx::store
