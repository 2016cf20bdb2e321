// The catalog from the wallpapers folder: the naming rule from an id to a
// title and tone, the order of ids, and the companion files.
#include "app/wallpapers/WallpaperItem.h"
#include "platform/wallpaper/Bundle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using plyx::WallpaperItem;
using Tone = WallpaperItem::Tone;

TEST(WallpaperItem, NamingRule) {
    struct Case {
        const char* id;
        std::optional<std::pair<Tone, const char*>> want; // none: no item
    };
    const Case cases[] = {
        {"07-dark-night-grid", {{Tone::dark, "Night Grid"}}},
        {"03-LIGHT-paper", {{Tone::light, "Paper"}}},
        {"12-mono-ridge", {{Tone::graphite, "Mono Ridge"}}},
        {"05-dark", {{Tone::dark, "05-dark"}}},
        {"05-Light", {{Tone::light, "05-Light"}}},
        {"sunrise", std::nullopt},
        {"-sunrise-", std::nullopt},
        {"", std::nullopt},
        {"01--dark--x", {{Tone::dark, "X"}}},
        {"02-Dark-deep-SEA", {{Tone::dark, "Deep Sea"}}},
        {"04-graphite-steel", {{Tone::graphite, "Graphite Steel"}}},
        {"09-ümlaut-élan", {{Tone::graphite, "Ümlaut Élan"}}},
        {"-08-light-dawn-", {{Tone::light, "Dawn"}}},
        {"x-darkish", {{Tone::graphite, "Darkish"}}},
    };
    for (const auto& c : cases) {
        const auto item = WallpaperItem::fromID(c.id);
        if (!c.want) {
            EXPECT_EQ(item, std::nullopt) << c.id;
            continue;
        }
        ASSERT_TRUE(item) << c.id;
        EXPECT_EQ(item->id, c.id);
        EXPECT_EQ(item->tone, c.want->first) << c.id;
        EXPECT_EQ(item->name, c.want->second) << c.id;
    }
}

TEST(WallpaperItem, TonesInOrderWithTheirLabels) {
    std::vector<std::string> labels;
    for (const auto t : WallpaperItem::allTones()) labels.push_back(WallpaperItem::rawValue(t));
    EXPECT_EQ(labels, (std::vector<std::string>{"Light", "Dark", "Graphite"}));
}

class Catalog : public ::testing::Test {
protected:
    plyx::test::TempDir bundle;
    void SetUp() override { plyx::wallpaper::setBundleDirectory(bundle.path()); }
    void TearDown() override { plyx::wallpaper::setBundleDirectory({}); }
    void touch(const std::string& name) { plyx::test::writeFile(bundle.path() / name, "x"); }
    std::vector<std::string> ids() {
        std::vector<std::string> out;
        for (const auto& i : WallpaperItem::loadAll()) out.push_back(i.id);
        return out;
    }
};

TEST_F(Catalog, ListsFullSizeImagesSortedByIdBytes) {
    EXPECT_TRUE(WallpaperItem::loadAll().empty());
    touch("01-light-paper-thumb.jpg");
    EXPECT_TRUE(WallpaperItem::loadAll().empty()) << "thumbnails are never listed";

    for (const char* f : {"9-dark-b.heic", "10-dark-a.heic", "abc-light.heic", "Abc-light.heic", "sunrise.heic",
                          "02-mono-x.HEIC", "03-light-y.jpg", "04-dark-z.heic.bak"})
        touch(f);
    fs::create_directories(bundle.path() / "sub");
    plyx::test::writeFile(bundle.path() / "sub" / "05-dark-deep.heic", "x");
    fs::create_directories(bundle.path() / "06-dark-folder.heic");
    EXPECT_EQ(ids(), (std::vector<std::string>{"10-dark-a", "9-dark-b", "Abc-light", "abc-light"}));
    // Every call reads the folder again.
    touch("0-light-new.heic");
    EXPECT_EQ(ids().front(), "0-light-new");
}

TEST_F(Catalog, CompanionFilesAreFoundOrAbsent) {
    touch("01-light-paper.heic");
    touch("01-light-paper-thumb.jpg");
    touch("02-dark-bare.heic");
    const auto items = WallpaperItem::loadAll();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].fullURL(), bundle.path() / "01-light-paper.heic");
    EXPECT_EQ(items[0].thumbURL(), bundle.path() / "01-light-paper-thumb.jpg");
    EXPECT_EQ(items[1].thumbURL(), std::nullopt);
    fs::remove(bundle.path() / "02-dark-bare.heic");
    EXPECT_EQ(items[1].fullURL(), std::nullopt);
}

TEST(WallpaperBundle, TheShippedSetFollowsTheNamingRule) {
    // The build run in place reads the source tree's wallpapers.
    plyx::wallpaper::setBundleDirectory({});
    const auto items = WallpaperItem::loadAll();
    std::map<Tone, int> perTone;
    for (const auto& item : items) {
        ++perTone[item.tone];
        EXPECT_TRUE(item.fullURL()) << item.id;
        EXPECT_TRUE(item.thumbURL()) << item.id;
    }
    for (const auto tone : WallpaperItem::allTones())
        EXPECT_GE(perTone[tone], 3) << WallpaperItem::rawValue(tone);
}

} // namespace
