// Every test process runs in its own temporary world: XDG folders under a
// fresh temporary root (never the real user's files), UTC, a fixed English
// locale and offscreen Qt. Tests that care about another zone or locale set
// it themselves through platform/time.
#include "platform/time/Time.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("plyx-test-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "data");
    fs::create_directories(root / "config");
    fs::create_directories(root / "cache");
    fs::create_directories(root / "home");
    ::setenv("PLYX_TEST_TMP", root.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
    ::setenv("HOME", (root / "home").c_str(), 1);
    ::setenv("TZ", "UTC", 1);
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    ::setenv("LANG", "en_US.UTF-8", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    plyx::time::setCurrentZone("UTC");
    plyx::time::setCurrentLocale("en_US");

    ::testing::InitGoogleMock(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(root, ec);
    return rc;
}
