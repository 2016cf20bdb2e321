// The user's handler of the "plyxwidgets" scheme: the desktop entry's text,
// the default in mimeapps.list, and installing both without disturbing what
// the user had.
#include "platform/desktop/SchemeHandler.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx::desktop {
namespace {

const SchemeHandler kPlyx{"plyx.desktop", "Plyx", "/opt/my apps/Plyx", "plyxwidgets"};

TEST(SchemeHandler, TheEntryQuotesTheProgramAndNamesTheScheme) {
    EXPECT_EQ(desktopEntryText(kPlyx),
              "[Desktop Entry]\nType=Application\nName=Plyx\nExec=\"/opt/my apps/Plyx\" %u\nTerminal=false\n"
              "NoDisplay=true\nMimeType=x-scheme-handler/plyxwidgets;\n");
    SchemeHandler odd = kPlyx;
    odd.program = R"(/a"b/$c/`d/e\f/100%/Plyx)";
    const auto text = desktopEntryText(odd);
    EXPECT_NE(text.find(R"(Exec="/a\\"b/\\$c/\\`d/e\\\\f/100%%/Plyx" %u)"), std::string::npos) << text;
}

TEST(SchemeHandler, TheDefaultIsSetInItsGroupAndEverythingElseKept) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "[Default Applications]\nx-scheme-handler/plyxwidgets=plyx.desktop\n"},
        {"[Added Associations]\ntext/plain=gedit.desktop;\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
         "x-scheme-handler/plyxwidgets=plyx.desktop\n"},
        {"[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\na/b=c.desktop;\n",
         "[Default Applications]\ntext/html=firefox.desktop\nx-scheme-handler/plyxwidgets=plyx.desktop\n\n"
         "[Added Associations]\na/b=c.desktop;\n"},
        {"[Default Applications]\nx-scheme-handler/plyxwidgets=old.desktop\ntext/html=firefox.desktop\n",
         "[Default Applications]\nx-scheme-handler/plyxwidgets=plyx.desktop\ntext/html=firefox.desktop\n"},
        // The same key in another group is not the default.
        {"[Added Associations]\nx-scheme-handler/plyxwidgets=other.desktop;\n[Default Applications]\n",
         "[Added Associations]\nx-scheme-handler/plyxwidgets=other.desktop;\n[Default Applications]\n"
         "x-scheme-handler/plyxwidgets=plyx.desktop\n"},
    };
    for (const auto& [before, after] : cases) EXPECT_EQ(withDefaultHandler(before, kPlyx), after) << before;
}

TEST(SchemeHandler, InstallingWritesBothFilesOnceAndKeepsTheUsersDefaults) {
    test::TempDir data, config;
    test::writeFile(config.path() / "mimeapps.list", "[Default Applications]\ntext/html=firefox.desktop\n");
    ASSERT_TRUE(installSchemeHandler(kPlyx, data.path(), config.path()));
    EXPECT_EQ(test::readFile(data.path() / "applications/plyx.desktop"), desktopEntryText(kPlyx));
    EXPECT_EQ(test::readFile(config.path() / "mimeapps.list"),
              "[Default Applications]\ntext/html=firefox.desktop\nx-scheme-handler/plyxwidgets=plyx.desktop\n");

    // A second start finds both in place and rewrites neither.
    const auto stamp = std::filesystem::last_write_time(config.path() / "mimeapps.list");
    std::filesystem::last_write_time(config.path() / "mimeapps.list", stamp - std::chrono::hours(1));
    ASSERT_TRUE(installSchemeHandler(kPlyx, data.path(), config.path()));
    EXPECT_EQ(std::filesystem::last_write_time(config.path() / "mimeapps.list"), stamp - std::chrono::hours(1));
}

} // namespace
} // namespace plyx::desktop
