// Finding the desktop's applications by their desktop entries, in folder
// trees written the way desktop installs write them.
#include "platform/desktop/Applications.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace plyx::desktop {
namespace {

using test::writeFile;

std::string entry(const std::string& name, const std::string& exec, const std::string& extra = "") {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n" + extra;
}

class ApplicationsTest : public ::testing::Test {
protected:
    test::TempDir root;
    std::filesystem::path userApps() const { return root.path() / "home/.local/share/applications"; }
    std::filesystem::path systemApps() const { return root.path() / "usr/share/applications"; }
    std::filesystem::path userConfig() const { return root.path() / "home/.config"; }
    std::vector<std::filesystem::path> apps() const { return {userApps(), systemApps()}; }
    std::vector<std::filesystem::path> mimeFolders() const {
        return {userConfig(), root.path() / "etc/xdg", userApps(), systemApps()};
    }
};

TEST_F(ApplicationsTest, AnEntryIsFoundByIdInTheFirstFolderThatHasIt) {
    writeFile(systemApps() / "org.gnome.Weather.desktop", entry("Weather", "gnome-weather"));
    EXPECT_EQ(findApplication("org.gnome.Weather.desktop", apps()), systemApps() / "org.gnome.Weather.desktop");

    // The user's copy hides the system's; a hidden one hides it for good.
    writeFile(userApps() / "org.gnome.Weather.desktop", entry("Weather", "gnome-weather", "Hidden=true\n"));
    EXPECT_EQ(findApplication("org.gnome.Weather.desktop", apps()), std::nullopt);

    writeFile(systemApps() / "link.desktop", "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n");
    EXPECT_EQ(findApplication("link.desktop", apps()), std::nullopt);
    EXPECT_EQ(findApplication("missing.desktop", apps()), std::nullopt);
    EXPECT_EQ(findApplication("../applications/link.desktop", apps()), std::nullopt);
}

TEST_F(ApplicationsTest, TheDefaultComesFromMimeAppsListElseFromWhatEntriesSayTheyOpen) {
    writeFile(systemApps() / "a-calendar.desktop", entry("A", "a", "MimeType=text/plain;text/calendar;\n"));
    writeFile(systemApps() / "b-calendar.desktop", entry("B", "b", "MimeType=text/calendar;\n"));
    // Nothing set: the first entry, by name, that opens the type.
    EXPECT_EQ(defaultApplicationFor("text/calendar", mimeFolders(), apps()), systemApps() / "a-calendar.desktop");
    EXPECT_EQ(defaultApplicationFor("text/x-vtodo", mimeFolders(), apps()), std::nullopt);

    // The system's default, then the user's, which wins; an id that is not
    // installed is passed over for the next one on the line.
    writeFile(systemApps() / "mimeapps.list", "[Default Applications]\ntext/calendar=b-calendar.desktop\n");
    EXPECT_EQ(defaultApplicationFor("text/calendar", mimeFolders(), apps()), systemApps() / "b-calendar.desktop");
    writeFile(userConfig() / "mimeapps.list",
              "[Added Associations]\ntext/calendar=b-calendar.desktop;\n"
              "[Default Applications]\ntext/calendar=gone.desktop;a-calendar.desktop;\n");
    EXPECT_EQ(defaultApplicationFor("text/calendar", mimeFolders(), apps()), systemApps() / "a-calendar.desktop");
}

TEST_F(ApplicationsTest, TheCommandDropsFieldCodesAndKeepsQuotedArguments) {
    const struct {
        const char* exec;
        std::vector<std::string> command;
    } cases[] = {
        {"gnome-calendar %U", {"gnome-calendar"}},
        {"\"/opt/My Apps/cal\" --new-window %f", {"/opt/My Apps/cal", "--new-window"}},
        {"tasks --title=\"a \\\"b\\\"\" 100%%", {"tasks", "--title=a \"b\"", "100%"}},
        {"env A=1 weather %i %c %k", {"env", "A=1", "weather"}},
        {"broken \"quote", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        writeFile(systemApps() / "x.desktop", entry("X", c.exec));
        EXPECT_EQ(launchCommand(systemApps() / "x.desktop"), c.command) << c.exec;
    }
}

TEST_F(ApplicationsTest, LaunchingStartsTheCommandAndTellsWhenItCannot) {
    const auto marker = root.path() / "started";
    writeFile(systemApps() / "touch.desktop", entry("Touch", "touch " + marker.string() + " %U"));
    ASSERT_TRUE(launchApplication(systemApps() / "touch.desktop"));
    for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(marker));
    writeFile(systemApps() / "none.desktop", entry("None", root.path().string() + "/no-such-program"));
    EXPECT_FALSE(launchApplication(systemApps() / "none.desktop"));
}

} // namespace
} // namespace plyx::desktop
