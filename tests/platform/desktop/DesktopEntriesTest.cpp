// Naming a window's application by the desktop entries installed the way
// packages and users install them.
#include "platform/desktop/DesktopEntries.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx::desktop {
namespace {

TEST(DesktopEntries, NamesAWindowClassByItsEntry) {
    test::TempDir user, system;
    const auto userApps = user.path() / "applications";
    const auto systemApps = system.path() / "applications";
    test::writeFile(systemApps / "org.gnome.TextEditor.desktop",
                    "[Desktop Entry]\nType=Application\nName=Text Editor\nName[de]=Texteditor\n"
                    "StartupWMClass=gnome-text-editor\n");
    test::writeFile(systemApps / "firefox-esr.desktop",
                    "[Desktop Entry]\nName=Firefox ESR\nStartupWMClass=firefox-esr\n"
                    "[Desktop Action new-window]\nName=New Window\n");
    test::writeFile(systemApps / "kde" / "org.kde.konsole.desktop", "[Desktop Entry]\nName = Konsole\n");
    test::writeFile(systemApps / "xterm.desktop", "[Desktop Entry]\r\nName=XTerm\r\n");
    test::writeFile(systemApps / "broken.desktop", "[Desktop Entry]\nExec=broken\n");
    // The user's own entry comes first.
    test::writeFile(userApps / "xterm.desktop", "[Desktop Entry]\nName=My Terminal\n");

    const std::vector<std::filesystem::path> folders{userApps, systemApps, system.path() / "missing"};
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"gnome-text-editor", "Text Editor"},  // by StartupWMClass, untranslated name
        {"firefox-esr", "Firefox ESR"},        // not the action's name
        {"konsole", "Konsole"},                // by the last part of a reverse-domain file name
        {"XTerm", "My Terminal"},              // by file name, ignoring case, user's first
        {"broken", std::nullopt},              // an entry without a name
        {"unknown-app", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [cls, name] : cases) EXPECT_EQ(nameForWindowClass(cls, folders), name) << cls;
}

TEST(DesktopEntries, FoldersFollowTheXdgVariables) {
    test::ScopedEnv home("XDG_DATA_HOME", "/home/u/data");
    test::ScopedEnv dirs("XDG_DATA_DIRS", "/opt/share::relative:/usr/share");
    EXPECT_EQ(applicationFolders(), (std::vector<std::filesystem::path>{
                                        "/home/u/data/applications", "/opt/share/applications",
                                        "/usr/share/applications"}));
    test::ScopedEnv noDirs("XDG_DATA_DIRS", std::nullopt);
    EXPECT_EQ(applicationFolders().back(), "/usr/share/applications");
}

} // namespace
} // namespace plyx::desktop
