#include "tests/support/TestSupport.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace plyx::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const char* root = std::getenv("PLYX_TEST_TMP");
    const fs::path base = root && *root ? fs::path(root) : fs::temp_directory_path();
    path_ = base / ("t" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* v = std::getenv(name_.c_str())) old_ = v;
    if (value) ::setenv(name_.c_str(), value->c_str(), 1);
    else ::unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() {
    if (old_) ::setenv(name_.c_str(), old_->c_str(), 1);
    else ::unsetenv(name_.c_str());
}

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";

bool numbersUseComma() {
    const std::lconv* conv = std::localeconv();
    return conv && conv->decimal_point && std::string(conv->decimal_point) == ",";
}

// The locale compiled once per test process into its temporary folder; the
// C library looks there too while LOCPATH names it.
bool buildCommaLocale() {
    static const bool built = [] {
        const char* root = std::getenv("PLYX_TEST_TMP");
        const fs::path folder = fs::path(root && *root ? root : fs::temp_directory_path().c_str()) / "locales";
        std::error_code ec;
        fs::create_directories(folder, ec);
        const std::string command = "localedef -c -i de_DE -f UTF-8 '" + (folder / kCommaLocale).string() +
                                    "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1 || !fs::exists(folder / kCommaLocale)) return false;
        ::setenv("LOCPATH", folder.c_str(), 1);
        return true;
    }();
    return built;
}

} // namespace

ScopedCommaDecimals::ScopedCommaDecimals() {
    if (const char* now = std::setlocale(LC_NUMERIC, nullptr)) old_ = now;
    if (!std::setlocale(LC_NUMERIC, kCommaLocale) && buildCommaLocale()) std::setlocale(LC_NUMERIC, kCommaLocale);
    active_ = numbersUseComma();
}

ScopedCommaDecimals::~ScopedCommaDecimals() { std::setlocale(LC_NUMERIC, old_.empty() ? "C" : old_.c_str()); }

FreshStorage::FreshStorage() : env_("XDG_DATA_HOME", dir_.path().string()) {}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& p, const std::string& content) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << content;
}

std::optional<fs::path> artifactsDir() {
    const char* d = std::getenv("PLYX_TEST_ARTIFACTS");
    if (!d || !*d) return std::nullopt;
    fs::path p(d);
    std::error_code ec;
    fs::create_directories(p, ec);
    return p;
}

} // namespace plyx::test
