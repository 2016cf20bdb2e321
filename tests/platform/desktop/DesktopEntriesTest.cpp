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

TEST(DesktopEntries, NamesAreInTheMessagesLocaleAsEntriesMatchLocales) {
    // Translations as a desktop ships them: a region's own, a script variant
    // by modifier, the language's general one.
    test::TempDir data;
    const auto apps = data.path() / "applications";
    test::writeFile(apps / "org.gnome.TextEditor.desktop",
                    "[Desktop Entry]\nName[de]=Texteditor\nName[en_GB]=Text Editor (GB)\nName=Text Editor\n"
                    "Name[pt]=Editor de Texto\nName[pt_BR]=Editor de texto\nName[sr]=\u0423\u0440\u0435\u0452"
                    "\u0438\u0432\u0430\u0447\nName[sr@latin]=Ure\u0111iva\u010d\nName[fr]=\n"
                    "StartupWMClass=gnome-text-editor\n");
    const std::vector<std::filesystem::path> folders{apps};
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "Texteditor"},               // ll
        {"de_AT@euro", "Texteditor"},                // ll after ll_CC@MOD, ll_CC, ll@MOD
        {"pt_BR.UTF-8", "Editor de texto"},          // ll_CC before ll
        {"pt_PT.UTF-8", "Editor de Texto"},
        {"sr_RS.UTF-8@latin", "Ure\u0111iva\u010d"}, // ll@MOD before ll
        {"sr_RS.UTF-8", "\u0423\u0440\u0435\u0452\u0438\u0432\u0430\u0447"},
        {"sr", "\u0423\u0440\u0435\u0452\u0438\u0432\u0430\u0447"},
        {"en_GB.UTF-8", "Text Editor (GB)"},
        {"en_US.UTF-8", "Text Editor"},
        {"fr_FR.UTF-8", "Text Editor"},              // an empty translation is none
        {"C.UTF-8", "Text Editor"},
        {"", "Text Editor"},
    };
    for (const auto& [locale, name] : cases)
        EXPECT_EQ(nameForWindowClass("gnome-text-editor", folders, locale), name) << locale;

    // By default the messages category decides: LC_ALL, LC_MESSAGES, LANG.
    struct Env {
        std::optional<std::string> all, messages, lang;
        const char* name;
    };
    const Env envs[] = {
        {std::nullopt, "de_DE.UTF-8", "en_GB.UTF-8", "Texteditor"},
        {"pt_BR.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8", "Editor de texto"},
        {std::nullopt, std::nullopt, "en_GB.UTF-8", "Text Editor (GB)"},
        {std::nullopt, std::nullopt, std::nullopt, "Text Editor"},
    };
    for (const auto& e : envs) {
        test::ScopedEnv all("LC_ALL", e.all), messages("LC_MESSAGES", e.messages), lang("LANG", e.lang);
        test::ScopedEnv timeCategory("LC_TIME", "pt_BR.UTF-8");  // no say in names
        EXPECT_EQ(nameForWindowClass("gnome-text-editor", folders), e.name) << e.messages.value_or("-");
    }
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
