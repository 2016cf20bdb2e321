// The pane and its sheet, driven as a user would: the grid and its
// subtitle follow the tone filter, the badge follows the desktop, a click
// opens the sheet, whose apply and export report what went wrong.
#include "app/wallpapers/WallpaperApplier.h"
#include "app/wallpapers/WallpaperCard.h"
#include "app/wallpapers/WallpaperGrid.h"
#include "app/wallpapers/WallpaperPreviewSheet.h"
#include "app/wallpapers/WallpapersView.h"
#include "platform/wallpaper/Bundle.h"
#include "tests/app/wallpapers/FakeDesktop.h"
#include "tests/support/TestSupport.h"

#include <QPointer>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using namespace plyx;
using plyx::test::readFile;
using plyx::test::writeFile;

TEST(WallpaperGrid, AdaptiveColumns) {
    struct Case {
        double width;
        int count;
        double column, left;
    };
    // Room for n columns: 40 + 220n + 14(n-1).
    const Case cases[] = {
        {200, 1, 220, 20},      // narrower than one column: one at its minimum
        {260, 1, 220, 20},      // exactly one
        {300, 1, 260, 20},      // one, widened
        {340, 1, 300, 20},      // one at its maximum
        {400, 1, 300, 50},      // capped, and centred
        {493, 1, 300, 96.5},    // one short of two
        {494, 2, 220, 20},      // two at their minimum
        {654, 2, 300, 20},      // two at their maximum
        {700, 2, 300, 43},      // two capped, centred
        {1144, 4, 265.5, 20},   // the main window's width
        {2000, 8, 232.75, 20},
    };
    for (const auto& c : cases) {
        const auto g = gridColumns(c.width);
        EXPECT_EQ(g.count, c.count) << c.width;
        EXPECT_DOUBLE_EQ(g.width, c.column) << c.width;
        EXPECT_DOUBLE_EQ(g.left, c.left) << c.width;
    }
}

void click(QWidget* w, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(w, &release);
}

void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, {});
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, {});
    QApplication::sendEvent(w, &up);
}

template <class F> bool waitFor(F done) {
    for (int i = 0; i < 500 && !done(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class Pane : public ::testing::Test {
protected:
    plyx::test::FreshStorage storage;
    plyx::test::TempDir bundle;
    std::shared_ptr<plyx::test::FakeDesktop> desktop = std::make_shared<plyx::test::FakeDesktop>();

    void SetUp() override {
        wallpaper::setBundleDirectory(bundle.path());
        WallpaperApplier::setDesktopPictures(desktop);
        desktop->order = {"main"};
        for (const char* id : {"01-light-paper-dots", "02-light-grid-field", "04-dark-night-grid",
                               "07-graphite-mesh", "08-mono-ridge"})
            writeFile(bundle.path() / (std::string(id) + ".heic"), id);
    }
    void TearDown() override {
        wallpaper::setBundleDirectory({});
        WallpaperApplier::setDesktopPictures(nullptr);
    }
    fs::path copyOf(const std::string& id) const { return storage.dataHome() / "plyx" / "Wallpapers" / (id + ".heic"); }
    static std::vector<std::string> badged(const WallpapersView& pane) {
        std::vector<std::string> ids;
        for (auto* c : pane.cards())
            if (c->applied()) ids.push_back(c->item().id);
        return ids;
    }
};

TEST_F(Pane, ToneFilterSubtitleAndCards) {
    WallpapersView pane;
    EXPECT_EQ(pane.title(), "Wallpapers");
    EXPECT_EQ(pane.subtitle(), "5 wallpapers · made for Plyx");
    std::vector<QString> segments;
    for (auto* b : pane.findChildren<QToolButton*>()) segments.push_back(b->text());
    EXPECT_EQ(segments, (std::vector<QString>{"All", "Light", "Dark", "Graphite"}));

    struct Case {
        std::optional<WallpaperItem::Tone> tone;
        std::vector<std::string> ids;
    };
    const Case cases[] = {
        {WallpaperItem::Tone::light, {"01-light-paper-dots", "02-light-grid-field"}},
        {WallpaperItem::Tone::graphite, {"07-graphite-mesh", "08-mono-ridge"}},
        {std::nullopt,
         {"01-light-paper-dots", "02-light-grid-field", "04-dark-night-grid", "07-graphite-mesh", "08-mono-ridge"}},
    };
    for (const auto& c : cases) {
        pane.setToneFilter(c.tone);
        std::vector<std::string> ids;
        for (auto* card : pane.cards()) ids.push_back(card->item().id);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(pane.subtitle(), QString::number(c.ids.size()) + " wallpapers · made for Plyx");
    }

    // The segment is what the user clicks.
    for (auto* b : pane.findChildren<QToolButton*>())
        if (b->text() == "Dark") b->click();
    EXPECT_EQ(pane.toneFilter(), WallpaperItem::Tone::dark);
    EXPECT_EQ(pane.subtitle(), "1 wallpapers · made for Plyx");
}

TEST_F(Pane, EmptyCatalog) {
    fs::remove_all(bundle.path());
    WallpapersView pane;
    EXPECT_TRUE(pane.cards().empty());
    EXPECT_EQ(pane.subtitle(), "0 wallpapers · made for Plyx");
    EXPECT_EQ(pane.appliedID(), "");
}

TEST_F(Pane, BadgeFollowsTheDesktop) {
    desktop->pictures["main"] = "/usr/share/backgrounds/04-dark-night-grid.heic";
    WallpapersView pane;
    pane.resize(900, 600);
    pane.show();
    EXPECT_EQ(pane.appliedID(), "");
    EXPECT_TRUE(badged(pane).empty());

    // Changed outside the application; showing the pane again reads it.
    desktop->pictures["main"] = copyOf("07-graphite-mesh");
    pane.hide();
    pane.show();
    EXPECT_EQ(pane.appliedID(), "07-graphite-mesh");
    EXPECT_EQ(badged(pane), std::vector<std::string>{"07-graphite-mesh"});
    desktop->pictures.clear();
    pane.hide();
    pane.show();
    EXPECT_TRUE(badged(pane).empty());
}

TEST_F(Pane, ACardOpensTheSheetWhichAppliesAndReportsFailure) {
    WallpapersView pane;
    pane.resize(900, 600);
    pane.show();
    auto* card = pane.cards().at(2);
    ASSERT_EQ(card->item().id, "04-dark-night-grid");
    click(card, QPoint(card->width() - 3, card->height() / 2));
    ASSERT_TRUE(pane.previewItem());
    EXPECT_EQ(pane.previewItem()->id, "04-dark-night-grid");
    WallpaperPreviewSheet* sheet = pane.sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->width(), 720);
    EXPECT_EQ(sheet->applyLabel(), "Set as Wallpaper");
    bool captioned = false;
    for (auto* l : sheet->findChildren<QLabel*>()) captioned |= l->text() == "Dark · 5K · fits any display";
    EXPECT_TRUE(captioned);

    // Return applies: the pane's badge and the button follow.
    press(sheet, Qt::Key_Return);
    EXPECT_EQ(desktop->sets.size(), 1u);
    EXPECT_EQ(pane.appliedID(), "04-dark-night-grid");
    EXPECT_EQ(badged(pane), std::vector<std::string>{"04-dark-night-grid"});
    EXPECT_EQ(sheet->applyLabel(), "Applied ✓");
    EXPECT_EQ(sheet->status(), "");

    // A refused apply says so and keeps the applied id; a later one clears it.
    desktop->failOn = "main";
    press(sheet, Qt::Key_Return);
    EXPECT_EQ(sheet->status(), "Couldn't set wallpaper");
    EXPECT_EQ(pane.appliedID(), "04-dark-night-grid");
    EXPECT_EQ(sheet->applyLabel(), "Applied ✓");
    desktop->failOn.clear();
    press(sheet, Qt::Key_Return);
    EXPECT_EQ(sheet->status(), "");
    EXPECT_EQ(sheet->applyLabel(), "Applied ✓");

    // Escape closes it and the pane forgets the item.
    press(sheet, Qt::Key_Escape);
    EXPECT_FALSE(pane.previewItem());
    EXPECT_TRUE(waitFor([&] { return pane.sheet() == nullptr; }));
}

// The application stepping aside hides the sheet without closing it; the
// card clicked after it comes back opens its own preview.
TEST_F(Pane, ACardOpensItsPreviewAfterASheetWasHidden) {
    WallpapersView pane;
    pane.resize(900, 600);
    pane.show();
    auto* first = pane.cards().at(0);
    auto* second = pane.cards().at(2);
    click(first, QPoint(first->width() - 3, first->height() / 2));
    QPointer<WallpaperPreviewSheet> hidden = pane.sheet();
    ASSERT_TRUE(hidden);
    hidden->hide();
    click(second, QPoint(second->width() - 3, second->height() / 2));
    ASSERT_TRUE(pane.sheet());
    EXPECT_TRUE(pane.sheet()->isVisible());
    EXPECT_NE(pane.sheet(), hidden.data());
    ASSERT_TRUE(pane.previewItem());
    EXPECT_EQ(pane.previewItem()->id, second->item().id);
    EXPECT_TRUE(waitFor([&] { return hidden.isNull(); })) << "the hidden one is done with";
}

TEST_F(Pane, ExportReplacesOnlyWithACompleteCopy) {
    WallpapersView pane;
    pane.show();
    auto* card = pane.cards().at(0);
    click(card, QPoint(20, 20));
    WallpaperPreviewSheet* sheet = pane.sheet();
    ASSERT_NE(sheet, nullptr);
    auto exportTo = [&](const fs::path& target) {
        for (auto* b : sheet->findChildren<QPushButton*>())
            if (b->text() == "Export…") b->click();
        auto* panel = sheet->findChild<QFileDialog*>("exportPanel");
        if (!panel) return false;
        EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(QFileInfo(panel->selectedFiles().value(0)).fileName(), "01-light-paper-dots.heic");
        emit panel->fileSelected(QString::fromStdString(target.string()));
        panel->close();
        return true;
    };
    plyx::test::TempDir chosen;
    const fs::path target = chosen.path() / "mine.heic";
    writeFile(target, "the user's old file");
    ASSERT_TRUE(exportTo(target));
    EXPECT_EQ(readFile(target), "01-light-paper-dots");
    EXPECT_EQ(sheet->status(), "");

    // The image cannot be read part way: the file there stays, and the
    // sheet says the export failed.
    writeFile(target, "the user's old file");
    const fs::path image = bundle.path() / "01-light-paper-dots.heic";
    fs::rename(image, bundle.path() / "aside");
    fs::create_symlink("/proc/self/mem", image); // opens, then fails to read, as a disk error would
    ASSERT_TRUE(exportTo(target));
    EXPECT_EQ(readFile(target), "the user's old file");
    EXPECT_EQ(sheet->status(), "Couldn't export wallpaper");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(chosen.path())) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"mine.heic"}) << "no temporary file left";

    // A folder one may not write into ends the same way.
    ASSERT_TRUE(exportTo(chosen.path() / "no such folder" / "x.heic"));
    EXPECT_EQ(sheet->status(), "Couldn't export wallpaper");

    // A good export afterwards clears the message.
    fs::remove(image);
    fs::rename(bundle.path() / "aside", image);
    ASSERT_TRUE(exportTo(target));
    EXPECT_EQ(readFile(target), "01-light-paper-dots");
    EXPECT_EQ(sheet->status(), "");
}

} // namespace
