#include "app/gallery/GalleryView.h"
#include "app/gallery/WidgetGalleryCard.h"
#include "platform/ui/widget/ViewWidget.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/gui/WidgetsApp.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace plyx;
using C = CatalogWidget::Category;
using Z = CatalogWidget::Size;

namespace {

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::widgetsApp();
        theme = std::make_unique<ThemeStore>();
    }
    std::unique_ptr<GalleryView> gallery(std::optional<C> category, const QString& search = {}) {
        auto g = std::make_unique<GalleryView>(*theme, category, search);
        g->resize(1144, 720);
        return g;
    }
    /// The names of the cards shown, in grid order (top to bottom, left to right).
    static std::vector<std::string> shownNames(const GalleryView& g) {
        std::vector<std::pair<std::pair<int, int>, std::string>> placed;
        for (const auto& w : WidgetCatalog::all()) {
            const auto* card = g.card(w.kind);
            if (!card->isHidden()) placed.push_back({{card->y(), card->x()}, w.name});
        }
        std::sort(placed.begin(), placed.end());
        std::vector<std::string> out;
        for (const auto& p : placed) out.push_back(p.second);
        return out;
    }
    static void clickCard(WidgetGalleryCard* card) {
        // Over the preview itself: the tile, not the preview, takes the click.
        QTest::mouseClick(card, Qt::LeftButton, {}, card->widgetRect().center().toPoint());
    }

    test::FreshStorage fresh;
    std::unique_ptr<ThemeStore> theme;
};

} // namespace

// The cards, title and count follow the category, the size picker and the
// search text (used as typed, matched in names and else category labels).
TEST_F(GalleryTest, ListsTheCardsThatPassTheFilters) {
    struct Case {
        std::optional<C> category;
        const char* sizeButton; // the picker segment clicked, or none
        const char* search;
        std::vector<std::string> names; // empty: check only the count
        std::size_t count;
        const char* title;
    };
    const std::vector<Case> table{
        {std::nullopt, nullptr, "", {}, 53, "All Widgets"},
        {C::reminders, "size.Large", "", {"Today List"}, 1, "Reminders"},
        {C::reminders, "size.Small", "", {"Next Up", "Single Focus"}, 2, "Reminders"},
        {std::nullopt, nullptr, "screen", {"Total", "Elapsed", "Top Apps", "Weekly"}, 4, "All Widgets"},
        {std::nullopt, nullptr, "time", {"Dual Time", "Total", "Elapsed", "Top Apps", "Weekly"}, 5, "All Widgets"},
        {std::nullopt, nullptr, "clock", {}, 10, "All Widgets"},
        {std::nullopt, nullptr, "clock ", {}, 0, "All Widgets"},
        {C::clocks, "size.Large", "", {}, 0, "Clocks"},
        {C::screenTime, "size.All", "", {"Total", "Elapsed", "Top Apps", "Weekly"}, 4, "Screen Time"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(std::string("search '") + c.search + "' size " + (c.sizeButton ? c.sizeButton : "-"));
        auto g = gallery(c.category, c.search);
        if (c.sizeButton) g->findChild<QPushButton*>(c.sizeButton)->click();
        const auto names = shownNames(*g);
        EXPECT_EQ(names.size(), c.count);
        if (!c.names.empty()) {
            EXPECT_EQ(names, c.names);
        }
        EXPECT_EQ(g->title().toStdString(), c.title);
        const std::string count = std::to_string(c.count) + (c.count == 1 ? " widget" : " widgets");
        EXPECT_EQ(g->subtitle().toStdString(), count);
        EXPECT_EQ(g->widgets().size(), c.count);
    }
    // With nothing filtered, the cards stand in catalog order.
    auto all = gallery(std::nullopt);
    std::vector<std::string> catalog;
    for (const auto& w : WidgetCatalog::all()) catalog.push_back(w.name);
    EXPECT_EQ(shownNames(*all), catalog);
}

// A click selects a card, a second clears it, a click elsewhere moves it; the
// selection outlives a filter that hides its card, and "Add to Desktop" names
// the selected widget only while it is listed.
TEST_F(GalleryTest, SelectionAndAddToDesktop) {
    auto g = gallery(std::nullopt);
    std::vector<std::optional<std::string>> added;
    g->setOnAddToDesktop([&](const std::optional<CatalogWidget>& w) {
        added.push_back(w ? std::optional<std::string>(w->name) : std::nullopt);
    });
    auto* dial = g->card("plyx.clock.dotDial");
    auto* water = g->card("plyx.water");

    g->addButton()->click();
    clickCard(dial);
    EXPECT_EQ(g->selectedKind(), "plyx.clock.dotDial");
    EXPECT_TRUE(dial->isSelected());
    g->addButton()->click();
    clickCard(water);
    EXPECT_EQ(g->selectedKind(), "plyx.water");
    EXPECT_FALSE(dial->isSelected());
    EXPECT_TRUE(water->isSelected());
    clickCard(water);
    EXPECT_EQ(g->selectedKind(), std::nullopt);
    EXPECT_FALSE(water->isSelected());

    clickCard(dial);
    g->setSearchText("water");
    EXPECT_TRUE(dial->isHidden());
    EXPECT_EQ(g->selectedKind(), "plyx.clock.dotDial");
    g->addButton()->click();
    g->setSearchText("");
    g->addButton()->click();
    EXPECT_EQ(added, (std::vector<std::optional<std::string>>{std::nullopt, "Dot Dial", std::nullopt, "Dot Dial"}));
}

TEST_F(GalleryTest, NotesAndHabitsShortcutsOnlyInTheirCategories) {
    for (const auto category : {std::optional<C>{}, std::optional<C>{C::notes}, std::optional<C>{C::focus},
                                std::optional<C>{C::clocks}}) {
        auto g = gallery(category);
        EXPECT_EQ(!g->manageNotesButton()->isHidden(), category == C::notes);
        EXPECT_EQ(!g->manageHabitsButton()->isHidden(), category == C::focus);
        EXPECT_FALSE(g->addButton()->isHidden());
    }
    auto notes = gallery(C::notes);
    notes->manageNotesButton()->click(); // the default action does nothing
    int opened = 0;
    notes->setOpenNotesManager({[&] { ++opened; }});
    notes->manageNotesButton()->click();
    EXPECT_EQ(opened, 1);

    auto focus = gallery(C::focus);
    int habits = 0;
    focus->setOnManageHabits([&] { ++habits; });
    focus->manageHabitsButton()->click();
    EXPECT_EQ(habits, 1);
}

// The window's banner rule is asked for the shown category each time the list
// is worked out; the banner it gives sits above the cards, none hides the place.
TEST_F(GalleryTest, BannerPlaceAskedPerCategory) {
    auto g = gallery(C::weather);
    std::vector<std::optional<C>> asked;
    g->setBannerRule([&](std::optional<C> c) -> QWidget* {
        asked.push_back(c);
        return c == C::weather ? new QLabel("Use your location") : nullptr;
    });
    ASSERT_NE(g->banner(), nullptr);
    g->show();
    EXPECT_TRUE(g->banner()->isVisible());
    EXPECT_LT(g->banner()->mapTo(g.get(), QPoint()).y(), g->card("plyx.weather.current")->mapTo(g.get(), QPoint()).y());
    g->setCategory(C::clocks);
    EXPECT_EQ(g->banner(), nullptr);
    g->setCategory(C::weather);
    g->refreshBanner();
    EXPECT_EQ(asked, (std::vector<std::optional<C>>{C::weather, C::clocks, C::weather, C::weather}));
}

// A theme set through the store restyles the previews already on screen.
TEST_F(GalleryTest, AThemeChangeRedrawsThePreviews) {
    auto g = gallery(std::nullopt);
    g->show();
    auto* card = g->card("plyx.clock.analogClassic");
    auto probe = [&] {
        const QImage shot = card->grab().toImage();
        // Inside the widget, clear of its face: the widget's own background.
        const QPointF at = card->widgetRect().topLeft() + QPointF(card->widgetRect().width() / 2, 6);
        return shot.pixelColor((at * shot.devicePixelRatio()).toPoint());
    };
    const QColor before = probe();
    ThemeSettings accent = theme->settings();
    accent.surface = ThemeSettings::SurfaceStyle::accent;
    accent.accent = ThemeSettings::Accent::named(ThemeSettings::Accent::Kind::blue);
    theme->setSettings(accent);
    const QColor after = probe();
    EXPECT_NE(before, after);
    // The blue accent fills the background of an accent surface.
    EXPECT_LT(after.red(), 80);
    EXPECT_GT(after.blue(), 200);
    EXPECT_EQ(card->theme(), accent);
}
