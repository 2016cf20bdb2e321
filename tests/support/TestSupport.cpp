#include "tests/support/TestSupport.h"

#include <atomic>
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
