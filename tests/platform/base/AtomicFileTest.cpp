// A file replaced whole keeps what links lead to it: the link stays a link and
// its target gets the new contents.
#include "platform/base/AtomicFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace plyx {
namespace {
namespace fs = std::filesystem;

TEST(AtomicFile, AReplacementGoesThroughLinksAndKeepsThem) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "elsewhere");
    fs::create_directories(dir.path() / "here");
    const auto target = dir.path() / "elsewhere" / "notes.json";
    struct Case {
        const char* name;
        fs::path link;            // what the link points to
        std::vector<fs::path> chain; // further links the first leads through
    } cases[] = {
        {"absolute link", target, {}},
        {"relative link", fs::path("..") / "elsewhere" / "notes.json", {}},
        {"link to a link", dir.path() / "here" / "middle", {dir.path() / "here" / "middle"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(target);
        for (const auto& p : c.chain) {
            fs::remove(p);
            fs::create_symlink(target, p);
        }
        const auto file = dir.path() / "here" / "notes.json";
        fs::remove(file);
        fs::create_symlink(c.link, file);
        // Once while the target is missing (a dangling link), once over it.
        for (const std::string contents : {"first", "second"}) {
            EXPECT_EQ(files::replaceFile(file, contents, 0644), std::nullopt);
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(file)));
            EXPECT_EQ(fs::read_symlink(file), c.link);
            EXPECT_EQ(test::readFile(target), contents);
        }
        struct stat st {};
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u);
    }
    // Nothing is left beside either end.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path() / "elsewhere")) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFileAndNamesTheReason) {
    test::TempDir dir;
    const auto file = dir.path() / "file";
    test::writeFile(file, "old");
    const auto error = files::replaceFile(file, [](int) -> std::optional<std::string> { return "no space"; });
    EXPECT_EQ(error, "no space");
    EXPECT_EQ(test::readFile(file), "old");
    // A link into a folder that is not there names the folder it could not write in.
    fs::create_symlink(dir.path() / "gone" / "file", dir.path() / "link");
    const auto missing = files::replaceFile(dir.path() / "link", std::string_view("new"));
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find((dir.path() / "gone").string()), std::string::npos) << *missing;
    EXPECT_NE(missing->find("No such file or directory"), std::string::npos) << *missing;
}

} // namespace
} // namespace plyx
