#include "platform/store/DataFolders.h"
#include "platform/store/Defaults.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/SuiteLock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

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
    EXPECT_TRUE(d->holdsOtherThanData("int"));
    EXPECT_FALSE(d->holdsOtherThanData("blob"));
    EXPECT_FALSE(d->holdsOtherThanData("absent"));
    // A copy keeps the value's type: text stays text.
    EXPECT_TRUE(d->copy("text", "text.copy"));
    EXPECT_EQ(d->string("text.copy"), "hello");
    EXPECT_FALSE(d->data("text.copy"));
    EXPECT_FALSE(d->copy("absent", "absent.copy"));
    EXPECT_FALSE(d->contains("absent.copy"));
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

// Another program holding the write lock for a while (descheduled on a busy
// machine) delays a tap's read-modify-write; it must not drop it.
TEST(Defaults, AWriteBehindALockHeldForHalfASecondStillLands) {
    test::FreshStorage fresh;
    auto d = *Defaults::suite("slow.suite");
    d.setInteger("count", 1);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(d.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread holder([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    std::optional<std::int64_t> seen;
    std::thread([&] {
        auto s = *Defaults::suite("slow.suite");
        seen = s.updateInteger("count", [](std::int64_t v) { return v + 1; });
        EXPECT_TRUE(s.update("text", [](auto) { return std::optional<std::string>("kept"); }));
    }).join();
    holder.join();
    sqlite3_close(other);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(d.integer("count"), 2);
    EXPECT_EQ(d.data("text"), "kept");
}

// Caches and samples give up at once while another program writes the suite;
// the user's data waits for it, and every write says whether it landed.
TEST(Defaults, AValueWithoutWaitingGivesUpAtOnceWhileTheWaitingOneLands) {
    test::FreshStorage fresh;
    auto d = *Defaults::suite("held.suite");
    d.setInteger("count", 1);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(d.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    // While the lock is held (and it is released only after these return):
    // nothing written, each write says so, and reads still see the suite.
    auto cache = d.withoutWaiting();
    EXPECT_FALSE(cache.setData("sample", "x"));
    EXPECT_FALSE(cache.setInteger("count", 5));
    EXPECT_FALSE(cache.remove("count"));
    EXPECT_FALSE(cache.update("sample", [](auto) { return std::optional<std::string>("y"); }));
    EXPECT_EQ(cache.updateInteger("count", [](std::int64_t v) { return v + 1; }), std::nullopt);
    EXPECT_EQ(cache.integer("count"), 1);

    std::thread holder([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    std::optional<std::int64_t> tapped;
    std::thread([&] { tapped = Defaults::suite("held.suite")->updateInteger("count", [](std::int64_t v) { return v + 1; }); })
        .join();
    holder.join();
    sqlite3_close(other);
    EXPECT_EQ(tapped, 2);
    EXPECT_EQ(d.integer("count"), 2);
    EXPECT_FALSE(d.contains("sample"));
    // Free again, the value that does not wait writes as any other.
    EXPECT_TRUE(cache.setData("sample", "x"));
    EXPECT_EQ(d.data("sample"), "x");
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

TEST(Defaults, OneValueUsedFromEightThreadsAtOnce) {
    test::FreshStorage fresh;
    // One value, made on this thread and used by all: each thread must work
    // through a connection of its own, or the statements of one thread reset
    // another's mid-step.
    auto d = *Defaults::suite("threads.suite");
    constexpr int kThreads = 8, kEach = 150;
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&d, &wrong, t] {
            const std::string mine = "thread." + std::to_string(t);
            const auto copy = d; // a copy made on the worker behaves the same
            for (int i = 0; i < kEach; ++i) {
                const std::string value = mine + ":" + std::to_string(i) + std::string(200, 'x');
                d.setData(mine, value);
                if (copy.data(mine) != value) ++wrong[t];
                d.updateInteger("count", [](std::int64_t v) { return v + 1; });
                if (copy.integer("count") < 1) ++wrong[t];
            }
        });
    for (auto& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
    EXPECT_EQ(d.integer("count"), kThreads * kEach);
    EXPECT_EQ(d.data("thread.7").value_or("").substr(0, 12), "thread.7:149");
}

// Writes a database of someone else's making with the sqlite3 library.
void makeDatabase(const std::filesystem::path& file, const char* sql) {
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST(Defaults, AFileItRefusesStaysByteForByteAsItWas) {
    test::FreshStorage fresh;
    const struct {
        const char* what;
        const char* sql; // nothing: a file that is not a database
    } cases[] = {
        {"kv of another layout", "CREATE TABLE kv (name TEXT, data BLOB); INSERT INTO kv VALUES ('a', x'01')"},
        {"another program's tables", "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT)"},
        {"not a database", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = std::string("refused.") + std::to_string(&c - cases);
        const auto file = fresh.dataHome() / "plyx" / name / "defaults.sqlite";
        if (c.sql) makeDatabase(file, c.sql);
        else test::writeFile(file, std::string(4096, 'z'));
        const std::string before = test::readFile(file);

        EXPECT_FALSE(Defaults::suite(name));
        EXPECT_EQ(test::readFile(file), before);
        EXPECT_FALSE(std::filesystem::exists(file.string() + "-wal"));
    }
    // An empty file is one being made: it becomes a suite.
    const auto empty = fresh.dataHome() / "plyx" / "empty" / "defaults.sqlite";
    test::writeFile(empty, "");
    auto made = Defaults::suite("empty");
    ASSERT_TRUE(made);
    made->setInteger("k", 3);
    EXPECT_EQ(Defaults::suite("empty")->integer("k"), 3);
}

TEST(Defaults, ASuiteHeldByAnotherProgramIsGivenUpOnceForTheProcess) {
    test::FreshStorage fresh;
    // Made by us on a thread that has ended (and closed it), then held by
    // someone else while this process first opens it.
    std::thread([] { Defaults::suite("held")->setInteger("k", 1); }).join();
    {
        test::SuiteLock lock(fresh.dataHome() / "plyx" / "held" / "defaults.sqlite");
        EXPECT_FALSE(Defaults::suite("held"));
        EXPECT_EQ(Defaults::suiteOrStandard("held").path(), Defaults::standard().path());
    }
    // Not tried again, even with the lock gone: a render waits once at most.
    std::thread([] { EXPECT_FALSE(Defaults::suite("held")); }).join();
    EXPECT_FALSE(Defaults::suite("held"));
}

TEST(Defaults, WithoutHomeTheDataRootIsInTheAccountsHome) {
    test::ScopedEnv noXdg("XDG_DATA_HOME", std::nullopt);
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_TRUE(pw && pw->pw_dir);
    const std::filesystem::path account = pw->pw_dir;
    for (const std::optional<std::string>& home : {std::optional<std::string>(), std::optional<std::string>(""),
                                                   std::optional<std::string>("relative/home")}) {
        test::ScopedEnv env("HOME", home);
        EXPECT_EQ(store::dataRoot(), account / ".local" / "share" / "plyx") << home.value_or("(unset)");
    }
    test::ScopedEnv env("HOME", "/home/someone");
    EXPECT_EQ(store::dataRoot(), std::filesystem::path("/home/someone/.local/share/plyx"));
    test::ScopedEnv xdg("XDG_DATA_HOME", "/data");
    EXPECT_EQ(store::dataRoot(), std::filesystem::path("/data/plyx"));
}

TEST(Defaults, FoldersItMakesAreTheOwnersAlone) {
    test::TempDir dir;
    test::ScopedEnv env("XDG_DATA_HOME", (dir.path() / "new" / "data").string());
    const ::mode_t oldMask = ::umask(0); // even where the user's mask would share them
    Defaults::suite("private.suite")->setInteger("k", 1);
    const auto container = store::appGroupContainer("group.id");
    ::umask(oldMask);
    for (const auto& p : {dir.path() / "new", dir.path() / "new" / "data", dir.path() / "new" / "data" / "plyx",
                          dir.path() / "new" / "data" / "plyx" / "private.suite", container}) {
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0) << p;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }
}

} // namespace
} // namespace plyx
