// The login item as an XDG autostart entry: written, read back, switched off
// by the desktop, removed, and the failures the settings window must see.
#include "platform/desktop/Autostart.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx::desktop {
namespace {

namespace fs = std::filesystem;

const AutostartEntry kEntry{"plyx.desktop", "Plyx", "/opt/my apps/Plyx", "--login"};

TEST(Autostart, RegisteringWritesAnEntryThatRunsTheProgramAtLoginAndUnregisteringRemovesIt) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "config/autostart";  // made on the way
    EXPECT_FALSE(isAutostartRegistered(kEntry, folder));

    ASSERT_TRUE(registerAutostart(kEntry, folder));
    EXPECT_TRUE(isAutostartRegistered(kEntry, folder));
    EXPECT_EQ(test::readFile(folder / "plyx.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Plyx\n"
              "Exec=\"/opt/my apps/Plyx\" --login\n"
              "Terminal=false\n"
              "NoDisplay=true\n");
    // Written beside its place and renamed: nothing else is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);

    ASSERT_TRUE(unregisterAutostart(kEntry, folder));
    EXPECT_FALSE(fs::exists(folder / "plyx.desktop"));
    EXPECT_FALSE(isAutostartRegistered(kEntry, folder));
    EXPECT_TRUE(unregisterAutostart(kEntry, folder));  // nothing there: already removed
}

TEST(Autostart, AnEntryTheDesktopSwitchedOffIsNotRegisteredUntilWrittenAgain) {
    test::TempDir dir;
    struct Case {
        const char* text;
        bool registered;
    };
    const std::vector<Case> cases = {
        {"[Desktop Entry]\nExec=Plyx --login\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=Plyx --login\nHidden = true\n", false},
        {"[Desktop Entry]\nExec=Plyx --login\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=Plyx --login\n[Desktop Action x]\nHidden=true\n", true},  // another group's key
    };
    for (const auto& c : cases) {
        test::writeFile(dir.path() / "plyx.desktop", c.text);
        EXPECT_EQ(isAutostartRegistered(kEntry, dir.path()), c.registered) << c.text;
    }
    test::writeFile(dir.path() / "plyx.desktop", cases[0].text);
    ASSERT_TRUE(registerAutostart(kEntry, dir.path()));
    EXPECT_TRUE(isAutostartRegistered(kEntry, dir.path()));
}

TEST(Autostart, AFolderThatCannotHoldTheEntryFailsBothWays) {
    test::TempDir dir;
    // A file where the folder should be: nothing can be written into it.
    test::writeFile(dir.path() / "autostart", "not a folder");
    EXPECT_FALSE(registerAutostart(kEntry, dir.path() / "autostart"));
    EXPECT_FALSE(isAutostartRegistered(kEntry, dir.path() / "autostart"));

    // An entry that cannot be removed (a folder by that name, with something in it).
    test::writeFile(dir.path() / "stuck/plyx.desktop/keep", "x");
    EXPECT_FALSE(unregisterAutostart(kEntry, dir.path() / "stuck"));
}

TEST(Autostart, TheFolderIsTheUsersConfigFoldersAutostart) {
    struct Case {
        std::optional<std::string> configHome;
        std::optional<std::string> home;
        fs::path folder;
    };
    const std::vector<Case> cases = {
        {"/x/config", "/h", "/x/config/autostart"},
        {"relative/config", "/h", "/h/.config/autostart"},  // not absolute: ignored, as XDG asks
        {std::nullopt, "/h", "/h/.config/autostart"},
        {"", "/h", "/h/.config/autostart"},
    };
    for (const auto& c : cases) {
        test::ScopedEnv config("XDG_CONFIG_HOME", c.configHome);
        test::ScopedEnv home("HOME", c.home);
        EXPECT_EQ(autostartFolder(), c.folder) << c.configHome.value_or("(unset)");
    }
}

} // namespace
} // namespace plyx::desktop
