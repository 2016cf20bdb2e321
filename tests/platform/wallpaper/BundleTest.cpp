// Where the wallpapers are found: beside an installed program, else in the
// source tree for a build run in place.
#include "platform/wallpaper/Bundle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using plyx::wallpaper::bundleDirectoryFor;

TEST(WallpaperBundle, BesideTheInstalledProgramElseTheSourceTree) {
    plyx::test::TempDir prefix;
    const fs::path program = prefix.path() / "bin" / "Plyx";
    const fs::path source = fs::path(PLYX_SOURCE_DIR) / "resources" / "wallpapers";
    EXPECT_EQ(bundleDirectoryFor(program), source);
    fs::create_directories(prefix.path() / "share" / "plyx" / "wallpapers");
    EXPECT_EQ(bundleDirectoryFor(program), prefix.path() / "share" / "plyx" / "wallpapers");
    EXPECT_EQ(bundleDirectoryFor({}), source);
}

} // namespace
