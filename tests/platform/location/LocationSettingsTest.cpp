// Finding the desktop's location settings among the desktop entries: the
// first folder holding the entry decides, field codes are dropped, and a
// desktop without such a page has none.
#include "platform/location/LocationSettings.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx::location {
namespace {

constexpr const char* kEntry = "gnome-location-panel.desktop";

TEST(LocationSettings, TheFirstFolderWithTheEntryGivesItsCommand) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> entries;  // folder index, entry text
        std::optional<QStringList> command;
    };
    const Case cases[] = {
        {"none on this desktop", {}, std::nullopt},
        {"the system's entry",
         {{1, "[Desktop Entry]\nName=Location\nExec=gnome-control-center location\nNoDisplay=true\n"}},
         QStringList{"gnome-control-center", "location"}},
        {"field codes and quoting",
         {{1, "# comment\n[Desktop Entry]\nExec = \"/opt/my settings/bin\" location %U\n[Desktop Action x]\nExec=other\n"}},
         QStringList{"/opt/my settings/bin", "location"}},
        {"the user's entry comes first",
         {{0, "[Desktop Entry]\nExec=my-settings location\n"}, {1, "[Desktop Entry]\nExec=gnome-control-center location\n"}},
         QStringList{"my-settings", "location"}},
        {"the user's entry hides the system's",
         {{0, "[Desktop Entry]\nHidden=true\n"}, {1, "[Desktop Entry]\nExec=gnome-control-center location\n"}},
         std::nullopt},
        {"an entry without a command", {{1, "[Desktop Entry]\nName=Location\n"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir root;
        const std::vector<std::filesystem::path> folders = {root.path() / "user", root.path() / "system"};
        for (const auto& [folder, text] : c.entries) test::writeFile(folders[folder] / kEntry, text);
        test::writeFile(folders[1] / "other.desktop", "[Desktop Entry]\nExec=something-else\n");
        EXPECT_EQ(locationSettingsCommand(folders), c.command);
    }
}

} // namespace
} // namespace plyx::location
