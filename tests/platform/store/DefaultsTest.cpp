#include "platform/store/Defaults.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace plyx {
namespace {

using store::Defaults;

TEST(Defaults, TypedValuesAndAbsentDefaults) {
    test::FreshStorage fresh;
    auto d = Defaults::suite("test.suite");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->integer("k"), 0);
    EXPECT_FALSE(d->boolean("k"));
    EXPECT_EQ(d->real("k"), 0.0);
    EXPECT_FALSE(d->data("k"));
    EXPECT_FALSE(d->string("k"));
    EXPECT_FALSE(d->contains("k"));

    const std::string blob("a\0b\xff", 4);
    d->setData("blob", blob);
    d->setInteger("int", -42);
    d->setBool("flag", true);
    d->setDouble("real", 2.5);
    d->setString("text", "hello");
    EXPECT_EQ(*d->data("blob"), blob);
    EXPECT_EQ(d->integer("int"), -42);
    EXPECT_TRUE(d->boolean("flag"));
    EXPECT_EQ(d->real("real"), 2.5);
    EXPECT_EQ(*d->string("text"), "hello");
    // A value of another kind is not data, and an integer reads a double truncated.
    EXPECT_FALSE(d->data("int"));
    EXPECT_EQ(d->integer("real"), 2);
    EXPECT_EQ(d->integer("blob"), 0);

    d->remove("int");
    EXPECT_FALSE(d->contains("int"));
    EXPECT_EQ(d->integer("int"), 0);

    // Another handle on the same suite sees the values at once.
    EXPECT_EQ(*Defaults::suite("test.suite")->string("text"), "hello");
    EXPECT_TRUE(std::filesystem::exists(fresh.dataHome() / "plyx" / "test.suite" / "defaults.sqlite"));
}

TEST(Defaults, UpdateIsAReadModifyWrite) {
    test::FreshStorage fresh;
    auto d = *Defaults::suite("test.suite");
    EXPECT_TRUE(d.update("list", [](std::optional<std::string> v) {
        EXPECT_FALSE(v);
        return std::optional<std::string>("a");
    }));
    d.update("list", [](const std::optional<std::string>& v) -> std::optional<std::string> {
        return v.value_or("?") + "b";
    });
    EXPECT_EQ(d.data("list").value_or(""), "ab");
    d.update("list", [](const std::optional<std::string>&) -> std::optional<std::string> { return std::nullopt; });
    EXPECT_FALSE(d.contains("list"));
    EXPECT_EQ(d.updateInteger("n", [](std::int64_t v) { return v + 5; }), 5);
    // A throwing modifier leaves the value as it was.
    EXPECT_THROW(d.updateInteger("n", [](std::int64_t) -> std::int64_t { throw 1; }), int);
    EXPECT_EQ(d.integer("n"), 5);
}

TEST(Defaults, UnopenableSuiteFallsBackToStandardDefaultsSilently) {
    test::FreshStorage fresh;
    // A folder where the database file should be makes the suite unopenable.
    std::filesystem::create_directories(fresh.dataHome() / "plyx" / StorageKeys::kSuiteName / "defaults.sqlite");
    EXPECT_FALSE(Defaults::suite(StorageKeys::kSuiteName));
    SharedStorage::setInteger(StorageKeys::waterGoal, 12);
    EXPECT_EQ(SharedStorage::integer(StorageKeys::waterGoal), 12);
    EXPECT_EQ(Defaults::standard().integer(StorageKeys::waterGoal), 12);
}

TEST(Defaults, TwoProcessesIncrementingNeverLoseAWrite) {
    test::FreshStorage fresh;
    constexpr int kEach = 400;
    auto d = *Defaults::suite("shared.suite");
    d.setInteger("hammer.count", 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(STORE_HAMMER, STORE_HAMMER, "shared.suite", std::to_string(kEach).c_str(), nullptr);
        ::_exit(127);
    }
    // This process writes from a fresh thread, so its connection is its own.
    std::thread mine([&] {
        auto s = *Defaults::suite("shared.suite");
        for (int i = 0; i < kEach; ++i) {
            s.updateInteger("hammer.count", [](std::int64_t v) { return v + 1; });
            s.setInteger("hammer.mine", i);
        }
    });
    mine.join();
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(d.integer("hammer.count"), 2 * kEach);
    EXPECT_EQ(d.integer("hammer.mine"), kEach - 1);
}

TEST(Defaults, ContainerFolderAndTemporaryFallback) {
    test::FreshStorage fresh;
    const auto dir = SharedStorage::container();
    EXPECT_EQ(dir, fresh.dataHome() / "plyx" / StorageKeys::kSuiteName);
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    // A file in the way of the container's folder: fall back to the temporary folder.
    test::TempDir other;
    test::ScopedEnv env("XDG_DATA_HOME", other.path().string());
    test::writeFile(other.path() / "plyx" / "blocked", "x");
    EXPECT_EQ(store::appGroupContainer("blocked"), std::filesystem::temp_directory_path());
}

} // namespace
} // namespace plyx
