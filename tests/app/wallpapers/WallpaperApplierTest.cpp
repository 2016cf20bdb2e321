// Applying copies the image into the user's wallpapers folder once and sets
// that copy on every screen; the applied wallpaper is recognised from the
// screens' pictures, through a double and through each desktop's own
// stored form.
#include "app/wallpapers/WallpaperApplier.h"
#include "platform/wallpaper/Bundle.h"
#include "platform/wallpaper/DesktopPictures.h"
#include "tests/app/wallpapers/FakeDesktop.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using namespace plyx;
using plyx::test::readFile;
using plyx::test::writeFile;

class Applier : public ::testing::Test {
protected:
    plyx::test::FreshStorage storage;
    plyx::test::TempDir bundle;
    std::shared_ptr<plyx::test::FakeDesktop> desktop = std::make_shared<plyx::test::FakeDesktop>();

    void SetUp() override {
        wallpaper::setBundleDirectory(bundle.path());
        WallpaperApplier::setDesktopPictures(desktop);
        desktop->order = {"left", "right"};
    }
    void TearDown() override {
        wallpaper::setBundleDirectory({});
        WallpaperApplier::setDesktopPictures(nullptr);
    }
    WallpaperItem ship(const std::string& id, const std::string& content = "image") {
        writeFile(bundle.path() / (id + ".heic"), content);
        return *WallpaperItem::fromID(id);
    }
    fs::path folder() const { return storage.dataHome() / "plyx" / "Wallpapers"; }
    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        if (fs::exists(folder()))
            for (const auto& e : fs::directory_iterator(folder())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(Applier, StorageDirIsUnderTheDataFolder) {
    EXPECT_EQ(WallpaperApplier::storageDir(), folder());
    EXPECT_TRUE(fs::is_directory(folder().parent_path()));
    EXPECT_FALSE(fs::exists(folder())) << "the Wallpapers folder is made by the first apply";
}

TEST_F(Applier, CopiesOnceAndSetsEveryScreen) {
    const auto item = ship("04-dark-night-grid");
    ASSERT_EQ(WallpaperApplier::apply(item), std::nullopt);
    const fs::path copy = folder() / "04-dark-night-grid.heic";
    EXPECT_EQ(readFile(copy), "image");
    using Set = std::pair<std::string, fs::path>;
    EXPECT_EQ(desktop->sets, (std::vector<Set>{{"left", copy}, {"right", copy}}));
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), "04-dark-night-grid");

    // The copy there is used as it is: the second apply only sets the screens.
    writeFile(copy, "kept");
    ASSERT_EQ(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_EQ(readFile(copy), "kept");
    EXPECT_EQ(desktop->sets.size(), 4u);
    EXPECT_EQ(folderNames(), std::vector<std::string>{"04-dark-night-grid.heic"});
}

TEST_F(Applier, FailuresStopWithoutUndoing) {
    // No full-size image: nothing happens and nothing fails.
    const auto missing = *WallpaperItem::fromID("01-light-gone");
    EXPECT_EQ(WallpaperApplier::apply(missing), std::nullopt);
    EXPECT_TRUE(desktop->sets.empty());
    EXPECT_FALSE(fs::exists(folder()));

    // The second screen refuses: the first keeps the new picture, the copy stays.
    desktop->failOn = "right";
    const auto item = ship("02-light-grid-field");
    EXPECT_NE(WallpaperApplier::apply(item), std::nullopt);
    ASSERT_EQ(desktop->sets.size(), 1u);
    EXPECT_EQ(desktop->sets[0].first, "left");
    EXPECT_EQ(folderNames(), std::vector<std::string>{"02-light-grid-field.heic"});

    // The first screen refuses: the later one is not touched.
    desktop->failOn = "left";
    desktop->sets.clear();
    EXPECT_NE(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_TRUE(desktop->sets.empty());

    // A file where the folder should be.
    desktop->failOn.clear();
    fs::remove_all(folder());
    writeFile(folder(), "not a folder");
    EXPECT_NE(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_TRUE(desktop->sets.empty());
}

TEST_F(Applier, ACopyCutShortIsNotKeptAndTheNextApplyCopiesAgain) {
    // A source that opens but fails on reading, as a disk error would.
    fs::create_symlink("/proc/self/mem", bundle.path() / "06-dark-red-pulse.heic");
    const auto item = *WallpaperItem::fromID("06-dark-red-pulse");
    ASSERT_TRUE(item.fullURL());
    EXPECT_NE(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_TRUE(folderNames().empty()) << "no partial copy under any name";
    EXPECT_TRUE(desktop->sets.empty());

    fs::remove(bundle.path() / "06-dark-red-pulse.heic");
    ship("06-dark-red-pulse", "whole image");
    ASSERT_EQ(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_EQ(readFile(folder() / "06-dark-red-pulse.heic"), "whole image");
}

TEST_F(Applier, AppliedIdComesFromTheFirstScreenShowingOurFolder) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, fs::path>> pictures; // in screen order
        std::optional<std::string> want;
    };
    const fs::path ours = folder();
    const Case cases[] = {
        {"no screens", {}, std::nullopt},
        {"second screen is ours",
         {{"a", "/home/u/Pictures/04-dark-night-grid.heic"}, {"b", ours / "07-graphite-mesh.heic"}},
         "07-graphite-mesh"},
        {"first of two of ours", {{"a", ours / "01-light-x.heic"}, {"b", ours / "02-dark-y.heic"}}, "01-light-x"},
        {"a screen without a picture is skipped", {{"a", ""}, {"b", ours / "02-dark-y.heic"}}, "02-dark-y"},
        {"upper-case extension", {{"a", ours / "01-light-x.HEIC"}}, std::nullopt},
        {"another extension", {{"a", ours / "01-light-x.jpg"}}, std::nullopt},
        {"a subfolder of ours", {{"a", ours / "old" / "01-light-x.heic"}}, std::nullopt},
        {"elsewhere, with a catalog name", {{"a", "/usr/share/backgrounds/01-light-x.heic"}}, std::nullopt},
        {"a file put there by hand", {{"a", ours / "my photo.heic"}}, "my photo"},
    };
    for (const auto& c : cases) {
        desktop->order.clear();
        desktop->pictures.clear();
        for (const auto& [screen, picture] : c.pictures) {
            desktop->order.push_back(screen);
            if (!picture.empty()) desktop->pictures[screen] = picture;
        }
        EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), c.want) << c.name;
    }
}

// The desktops' own stored forms, as the applied id reads them.
TEST_F(Applier, AppliedIdFromGnomesSettings) {
    plyx::test::TempDir config;
    const plyx::test::ScopedEnv backend("GSETTINGS_BACKEND", "keyfile");
    const plyx::test::ScopedEnv home("XDG_CONFIG_HOME", config.path().string());
    WallpaperApplier::setDesktopPictures(wallpaper::gnomeBackground());
    const fs::path keyfile = config.path() / "glib-2.0" / "settings" / "keyfile";
    writeFile(keyfile, "[org/gnome/desktop/background]\npicture-uri='" + wallpaper::fileURI(folder() / "05-dark-dot-matrix.heic") +
                           "'\npicture-uri-dark='file:///usr/share/backgrounds/gnome/blobs-d.svg'\n");
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), "05-dark-dot-matrix");
    writeFile(keyfile, readFile(keyfile) + "[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n");
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), std::nullopt) << "the dark picture is shown, and is not ours";

    // Applying sets both, so either scheme shows it.
    const auto item = ship("08-mono-ridge");
    ASSERT_EQ(WallpaperApplier::apply(item), std::nullopt);
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), "08-mono-ridge");
}

TEST_F(Applier, AppliedIdFromPlasmasAppletsFile) {
    plyx::test::TempDir config;
    const plyx::test::ScopedEnv home("XDG_CONFIG_HOME", config.path().string());
    WallpaperApplier::setDesktopPictures(wallpaper::plasmaDesktops());
    const fs::path applets = config.path() / "plasma-org.kde.plasma.desktop-appletsrc";
    auto write = [&](const std::string& screen0, const std::string& screen1) {
        writeFile(applets, "[Containments][3]\nformfactor=0\nlastScreen=1\nlocation=0\nwallpaperplugin=org.kde.image\n\n"
                           "[Containments][3][Wallpaper][org.kde.image][General]\nImage=" + screen1 + "\n\n"
                           "[Containments][4]\nformfactor=0\nlastScreen=0\nlocation=0\nwallpaperplugin=org.kde.image\n\n"
                           "[Containments][4][Wallpaper][org.kde.image][General]\nImage=" + screen0 + "\n");
    };
    write("file:///home/u/Pictures/beach.jpg", wallpaper::fileURI(folder() / "09-steel-halftone.heic"));
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), "09-steel-halftone");
    write((folder() / "03-light-red-signal.heic").string(), wallpaper::fileURI(folder() / "09-steel-halftone.heic"));
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), "03-light-red-signal") << "screen 0 comes first";
}

TEST_F(Applier, NoAppliedIdThroughThePortal) {
    WallpaperApplier::setDesktopPictures(wallpaper::portalWallpaper());
    EXPECT_EQ(WallpaperApplier::currentlyAppliedID(), std::nullopt);
}

} // namespace
