#pragma once
// Helpers shared by the test suites.
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::test {

/// A fresh folder under the test's temporary root, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Sets (or unsets, with nullopt) an environment variable for a scope.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

/// Points XDG_DATA_HOME at a fresh empty folder for a scope, so each test
/// starts with empty stores.
class FreshStorage {
public:
    FreshStorage();
    const std::filesystem::path& dataHome() const { return dir_.path(); }

private:
    TempDir dir_;
    ScopedEnv env_;
};

/// Switches the C library's numbers to a locale that writes a decimal comma
/// (de_DE), as a German desktop session has them, for a scope. The machine
/// need not have the locale installed: it is built into the test's temporary
/// folder from the locale sources when missing. `active()` says whether it
/// took (false when neither is possible; the test should then skip).
class ScopedCommaDecimals {
public:
    ScopedCommaDecimals();
    ~ScopedCommaDecimals();
    ScopedCommaDecimals(const ScopedCommaDecimals&) = delete;
    ScopedCommaDecimals& operator=(const ScopedCommaDecimals&) = delete;
    bool active() const { return active_; }

private:
    std::string old_;
    bool active_ = false;
};

/// Reads a whole file; empty when missing.
std::string readFile(const std::filesystem::path& p);
/// Writes a whole file, creating folders.
void writeFile(const std::filesystem::path& p, const std::string& content);

/// The folder where view tests put the images they render, from
/// PLYX_TEST_ARTIFACTS; nothing when unset.
std::optional<std::filesystem::path> artifactsDir();

} // namespace plyx::test
