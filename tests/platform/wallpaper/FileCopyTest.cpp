// A copy replaces its target only when complete: a copy that fails part way
// leaves the old file as it was and no temporary file beside it.
#include "platform/wallpaper/FileCopy.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;
using plyx::test::readFile;
using plyx::test::writeFile;
using plyx::wallpaper::copyIntoPlace;

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileCopy, CopiesAndReplacesWhole) {
    plyx::test::TempDir dir;
    const std::string big(300000, 'x'); // more than one buffer
    writeFile(dir.path() / "from", big);
    EXPECT_EQ(copyIntoPlace(dir.path() / "from", dir.path() / "to"), std::nullopt);
    EXPECT_EQ(readFile(dir.path() / "to"), big);

    writeFile(dir.path() / "other", "new");
    EXPECT_EQ(copyIntoPlace(dir.path() / "other", dir.path() / "to"), std::nullopt);
    EXPECT_EQ(readFile(dir.path() / "to"), "new");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"from", "other", "to"}));

    // An ordinary file of the user's, not a private temporary one.
    struct stat st {};
    ASSERT_EQ(::stat((dir.path() / "to").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0044, 0044u);
}

TEST(FileCopy, ACopyOntoALinkKeepsTheLink) {
    plyx::test::TempDir dir;
    fs::create_directories(dir.path() / "Pictures");
    writeFile(dir.path() / "Pictures" / "desk.png", "old");
    fs::create_symlink(fs::path("Pictures") / "desk.png", dir.path() / "desk.png");
    writeFile(dir.path() / "from", "new");
    EXPECT_EQ(copyIntoPlace(dir.path() / "from", dir.path() / "desk.png"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "desk.png")));
    EXPECT_EQ(readFile(dir.path() / "Pictures" / "desk.png"), "new");
    EXPECT_EQ(namesIn(dir.path() / "Pictures"), (std::vector<std::string>{"desk.png"}));
}

TEST(FileCopy, AFailedCopyKeepsTheOldFile) {
    plyx::test::TempDir dir;
    writeFile(dir.path() / "to", "the user's file");
    fs::create_directories(dir.path() / "a folder");
    struct Case {
        const char* name;
        fs::path from;
    };
    // A folder opens but cannot be read: the copy fails after the temporary
    // file was made, as a full disk would.
    const Case cases[] = {{"missing source", dir.path() / "missing"}, {"read fails part way", dir.path() / "a folder"}};
    for (const auto& c : cases) {
        const auto error = copyIntoPlace(c.from, dir.path() / "to");
        EXPECT_NE(error, std::nullopt) << c.name;
        EXPECT_EQ(readFile(dir.path() / "to"), "the user's file") << c.name;
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a folder", "to"})) << c.name;
    }

    // A target that is a folder is not replaced.
    writeFile(dir.path() / "from", "data");
    EXPECT_NE(copyIntoPlace(dir.path() / "from", dir.path() / "a folder"), std::nullopt);
    EXPECT_TRUE(fs::is_directory(dir.path() / "a folder"));
    EXPECT_NE(copyIntoPlace(dir.path() / "from", dir.path() / "no such folder" / "to"), std::nullopt);
}

} // namespace
