// The placements file: what is written reads back, and a file that does not
// read is set aside whole, never overwritten.
#include "tests/support/TestSupport.h"
#include "widgets/host/PlacementStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plyx;
using host::Placement;
using host::PlacementStore;

namespace {

std::vector<std::filesystem::path> setAside(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename().string().rfind("placements.json.unreadable-", 0) == 0) out.push_back(e.path());
    return out;
}

} // namespace

TEST(PlacementStore, WritesAndReadsBackEveryMemberInOrder) {
    test::TempDir dir;
    const PlacementStore store(dir.path() / "plyx" / "placements.json");
    EXPECT_TRUE(store.load().empty()) << "no file yet";
    std::vector<Placement> placed = {
        {"A", "plyx.system.storage", -20, 30, "HDMI-1", {{"surface", "glass"}}},
        {"B", "plyx.clock.world", 0, 0, "", nlohmann::ordered_json::object()},
    };
    ASSERT_EQ(store.save(placed), std::nullopt);
    const auto back = store.load();
    ASSERT_EQ(back.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back[i].id, placed[i].id);
        EXPECT_EQ(back[i].kind, placed[i].kind);
        EXPECT_EQ(back[i].x, placed[i].x);
        EXPECT_EQ(back[i].y, placed[i].y);
        EXPECT_EQ(back[i].screen, placed[i].screen);
        EXPECT_EQ(back[i].configuration, placed[i].configuration);
    }
    EXPECT_EQ(store.defaultFile(), std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "plyx" / "placements.json");
}

TEST(PlacementStore, AFileThatDoesNotReadIsSetAsideAndTheListStartsEmpty) {
    const std::string bad[] = {
        "{not json",
        // Deep enough to exhaust the stack of anything that walks it.
        R"({"placements":[{"id":"A","kind":"k","x":1,"y":2,"configuration":{"a":)" + std::string(60000, '[') +
            std::string(60000, ']') + "}}]}",
        "[]",
        R"({"placements":{}})",
        R"({"placements":[{"id":"A","kind":"k","x":1}]})",          // no y
        R"({"placements":[{"id":"A","kind":"k","x":1.5,"y":2}]})",  // not whole
        R"({"placements":[{"id":"A","kind":"k","x":1,"y":2,"configuration":[]}]})",
        R"({"placements":[{"id":"A","kind":"k","x":1,"y":2},7]})",  // one bad element spoils all
    };
    for (const auto& content : bad) {
        SCOPED_TRACE(content.substr(0, 100));
        test::TempDir dir;
        const auto file = dir.path() / "placements.json";
        test::writeFile(file, content);
        const PlacementStore store(file);
        EXPECT_TRUE(store.load().empty());
        EXPECT_FALSE(std::filesystem::exists(file));
        const auto aside = setAside(dir.path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(test::readFile(aside[0]), content) << "kept whole";
        // The next save starts a new file and leaves the old one aside.
        // A placement without a configuration object still writes a file that reads.
        ASSERT_EQ(store.save({{"B", "plyx.system.storage", 0, 0, "", {}}}), std::nullopt);
        EXPECT_EQ(store.load().size(), 1u);
        EXPECT_EQ(test::readFile(aside[0]), content);
        // A second bad file in the same folder does not take the first one's place.
        test::writeFile(file, content);
        EXPECT_TRUE(store.load().empty());
        EXPECT_EQ(setAside(dir.path()).size(), 2u);
    }
}

TEST(PlacementStore, PositionsPastTheLimitAndSharedIdsAreRepairedAtLoad) {
    test::TempDir dir;
    const auto file = dir.path() / "placements.json";
    // As a hand edit or an old copy leaves it: x past what an int holds,
    // y past what an unsigned 64-bit one does not, and one id twice.
    test::writeFile(file, R"({"placements":[
        {"id":"A","kind":"plyx.system.storage","x":99999999999,"y":-99999999999},
        {"id":"A","kind":"plyx.system.monitor","x":18446744073709551615,"y":40},
        {"id":"B","kind":"plyx.clock.world","x":-20,"y":16384}]})");
    const PlacementStore store(file);
    const auto placed = store.load();
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(std::pair(placed[0].x, placed[0].y), std::pair(host::kCoordinateLimit, -host::kCoordinateLimit));
    EXPECT_EQ(std::pair(placed[1].x, placed[1].y), std::pair(host::kCoordinateLimit, 40));
    EXPECT_EQ(std::pair(placed[2].x, placed[2].y), std::pair(-20, 16384));
    EXPECT_EQ(placed[0].id, "A") << "the first keeps its id";
    EXPECT_NE(placed[1].id, "A");
    EXPECT_EQ(placed[1].id.size(), 36u);
    EXPECT_EQ(placed[2].id, "B");
    // The repair is written back, so the next reader (a removal) sees the same ids.
    const auto again = store.load();
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1].id, placed[1].id);
}

// A change its caller refuses (an unknown id to remove) leaves the file as it was.
TEST(PlacementStore, AChangeRefusedByItsCallerWritesNothing) {
    test::TempDir dir;
    const PlacementStore store(dir.path() / "placements.json");
    ASSERT_EQ(store.update([](std::vector<Placement>& list) -> std::optional<std::string> {
        list.push_back({"A", "plyx.system.storage", 0, 0, "", nlohmann::ordered_json::object()});
        return std::nullopt;
    }), std::nullopt);
    const auto refused = store.update([](std::vector<Placement>& list) -> std::optional<std::string> {
        list.clear();
        return "no";
    });
    EXPECT_EQ(refused, "no");
    EXPECT_EQ(store.load().size(), 1u);
}
