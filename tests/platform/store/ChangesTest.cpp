#include "platform/store/Changes.h"
#include "platform/store/Defaults.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace plyx {
namespace {

using store::Defaults;
namespace fs = std::filesystem;

// The mark as if taken once the last write had settled.
store::ChangeMark settled(store::ChangeMark mark) {
    mark.at += store::kWriteSettles;
    return mark;
}

// Runs the store's second-process writer on `suite` once.
void writeFromAnotherProcess(const char* suite) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(STORE_HAMMER, STORE_HAMMER, suite, "1", nullptr);
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
}

TEST(SuiteChanges, AWriteByAnyProcessEndsWhatAMarkVouchesFor) {
    test::FreshStorage fresh;
    auto d = *Defaults::suite("watched.suite");
    d.setInteger("k", 1);
    const fs::path file = d.path();

    // A mark taken right after a write vouches for nothing yet: that write's
    // transaction may still be on its way.
    EXPECT_FALSE(store::unchangedSince(file, store::changeMark(file)));
    auto mark = settled(store::changeMark(file));
    EXPECT_TRUE(store::unchangedSince(file, mark));
    // Reading writes nothing.
    EXPECT_EQ(d.integer("k"), 1);
    EXPECT_TRUE(store::unchangedSince(file, mark));
    // Another file in the same folder is not the suite.
    test::writeFile(file.parent_path() / "notes.json", "[]");
    EXPECT_TRUE(store::unchangedSince(file, mark));

    d.setInteger("k", 2);
    EXPECT_FALSE(store::unchangedSince(file, mark));

    mark = settled(store::changeMark(file));
    writeFromAnotherProcess("watched.suite");
    EXPECT_FALSE(store::unchangedSince(file, mark));
}

TEST(SuiteChanges, AFolderReplacedOrNeverThereIsNeverUnchanged) {
    test::FreshStorage fresh;
    auto d = *Defaults::suite("moved.suite");
    d.setInteger("k", 1);
    const fs::path file = d.path();
    auto mark = settled(store::changeMark(file));
    ASSERT_TRUE(store::unchangedSince(file, mark));

    fs::remove_all(file.parent_path());
    EXPECT_FALSE(store::unchangedSince(file, mark));
    // The folder made again is watched afresh.
    fs::create_directories(file.parent_path());
    mark = settled(store::changeMark(file));
    EXPECT_TRUE(store::unchangedSince(file, mark));
    test::writeFile(file, "");
    EXPECT_FALSE(store::unchangedSince(file, mark));

    for (const fs::path& nowhere : {fs::path(fresh.dataHome() / "absent/defaults.sqlite"), fs::path(":memory:")})
        EXPECT_FALSE(store::unchangedSince(nowhere, settled(store::changeMark(nowhere)))) << nowhere;
}

} // namespace
} // namespace plyx
