// The theme editor offscreen: every control edits only the draft, the page
// opens on the theme in force, and apply saves, reloads every widget and
// confirms for two seconds.
#include "app/theme/ThemeControls.h"
#include "app/theme/ThemeOptions.h"
#include "app/theme/ThemePreview.h"
#include "app/theme/ThemeView.h"
#include "shared/foundation/ThemeSettings.h"
#include "platform/ui/widget/ViewWidget.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/SystemAccent.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/storage/SharedStorage.h"
#include "tests/app/theme/OffscreenApp.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/dump/DumpLines.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace plyx;
using Kind = ThemeSettings::Accent::Kind;
using Accent = ThemeSettings::Accent;

namespace {

// The confirmation waits the tests end by hand, in any order.
struct ManualScheduler {
    struct Wait {
        std::chrono::milliseconds delay;
        std::function<void()> done;
    };
    std::vector<Wait> waits;
    ThemeView::Scheduler scheduler() {
        return [this](std::chrono::milliseconds d, QObject*, std::function<void()> f) {
            waits.push_back({d, std::move(f)});
        };
    }
};

class ThemeViewTest : public ::testing::Test {
protected:
    void SetUp() override { test::offscreenApp(); }

    // A theme stored before the editor is made, as an earlier apply left it.
    static ThemeSettings storedTheme() {
        ThemeSettings t;
        t.accent = Accent::named(Kind::purple);
        t.numerals = ThemeSettings::NumeralStyle::system;
        t.surface = ThemeSettings::SurfaceStyle::glass;
        return t;
    }

    template <class T> static T* child(QWidget& w, const char* name) {
        auto* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QString caption(ThemeView& v) { return child<QLabel>(v, "accentName")->text(); }
    static QColor captionColor(ThemeView& v) {
        return child<QLabel>(v, "accentName")->palette().color(QPalette::WindowText);
    }
    // The index of the one ringed swatch, -1 for none; fails on two rings.
    static int ringedSwatch(ThemeView& v) {
        int ringed = -1;
        for (int i = 0; i < 5; ++i) {
            if (!child<Swatch>(v, QString("swatch.%1").arg(i).toUtf8().constData())->isSelected()) continue;
            EXPECT_EQ(ringed, -1) << "two swatches ringed";
            ringed = i;
        }
        return ringed;
    }
    static void pickInWell(ThemeView& v, QColor color) {
        auto* well = child<ColorWell>(v, "customSwatch");
        well->click();
        ASSERT_NE(well->picker(), nullptr);
        well->picker()->setCurrentColor(color);
        well->picker()->accept();
    }

    test::FreshStorage storage;
};

} // namespace

TEST_F(ThemeViewTest, EachControlEditsOnlyTheDraft) {
    // Each case starts from a stored theme (and optionally earlier clicks),
    // does one thing, and says what the draft, the caption and the swatch
    // rings become. The stored theme and the store's settings never move.
    struct Case {
        const char* what;
        std::function<void(ThemeView&)> before;
        std::function<void(ThemeView&)> act;
        std::function<void(ThemeSettings&)> expect; // applied to the stored theme
        const char* caption;
        int ringed;
    };
    auto click = [](const char* name) {
        return [name](ThemeView& v) { child<QAbstractButton>(v, name)->click(); };
    };
    auto setFollow = [](bool on) {
        return [on](ThemeView& v) { child<QCheckBox>(v, "followSystemAccent")->setChecked(on); };
    };
    const std::vector<Case> cases = {
        {"a swatch", nullptr, click("swatch.1"), [](auto& t) { t.accent = Accent::named(Kind::blue); }, "BLUE", 1},
        {"a swatch while following turns following off", setFollow(true), click("swatch.2"),
         [](auto& t) { t.accent = Accent::named(Kind::orange); }, "ORANGE", 2},
        {"following keeps the accent and drops the ring", nullptr, setFollow(true),
         [](auto& t) { t.followSystemAccent = true; }, "SYSTEM", -1},
        {"following off rings the kept accent again", setFollow(true), setFollow(false), [](auto&) {}, "PURPLE", 3},
        {"pure red in the well is a custom accent", setFollow(true), [](ThemeView& v) { pickInWell(v, QColor(255, 0, 0)); },
         [](auto& t) { t.accent = Accent::custom("#FF0000"); }, "CUSTOM", -1},
        {"the well's own colour changes nothing", nullptr,
         [](ThemeView& v) { pickInWell(v, QColor(215, 25, 33)); }, [](auto&) {}, "PURPLE", 3},
        {"a numerals card", nullptr, click("numerals.mono"),
         [](auto& t) { t.numerals = ThemeSettings::NumeralStyle::mono; }, "PURPLE", 3},
        {"a labels card", nullptr, click("labels.systemSans"),
         [](auto& t) { t.labels = ThemeSettings::LabelStyle::systemSans; }, "PURPLE", 3},
        {"a surface segment", nullptr, click("surface.accent"),
         [](auto& t) { t.surface = ThemeSettings::SurfaceStyle::accent; }, "PURPLE", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::FreshStorage fresh;
        ThemeStore::save(storedTheme());
        ThemeStore store;
        ThemeView view(store);
        if (c.before) c.before(view);
        c.act(view);

        ThemeSettings want = storedTheme();
        c.expect(want);
        EXPECT_EQ(view.draft(), want);
        EXPECT_EQ(caption(view).toStdString(), c.caption);
        EXPECT_EQ(ringedSwatch(view), c.ringed);
        EXPECT_EQ(ThemeStore::current(), storedTheme());
        EXPECT_EQ(store.settings(), storedTheme());

        // The option cards and the segment follow the draft: exactly one of each on.
        for (const auto& o : ThemeOptions::numerals)
            EXPECT_EQ(child<OptionCard>(view, ("numerals." + rawValue(o.style)).c_str())->isSelected(),
                      o.style == want.numerals);
        for (const auto& o : ThemeOptions::labels)
            EXPECT_EQ(child<OptionCard>(view, ("labels." + rawValue(o.style)).c_str())->isSelected(),
                      o.style == want.labels);
        for (const auto& o : ThemeOptions::surfaces)
            EXPECT_EQ(child<QPushButton>(view, ("surface." + rawValue(o.style)).c_str())->isChecked(),
                      o.style == want.surface);
        EXPECT_EQ(child<QLabel>(view, "surfaceDescription")->text().toStdString(),
                  ThemeOptions::surfaceDescription(want.surface));
    }
}

// The page is headed by its title and subtitle, above the settings; the
// numeral cards' tags name their faces, the system one the sans-serif face
// the widgets are drawn in here, upper-cased.
TEST_F(ThemeViewTest, ThePageShowsItsTitleAndTheCardsNameTheirFaces) {
    ThemeStore store;
    ThemeView view(store);
    view.resize(924, 720);
    view.show();
    auto* title = child<QLabel>(view, "title");
    auto* subtitle = child<QLabel>(view, "subtitle");
    ASSERT_TRUE(title && subtitle);
    EXPECT_EQ(title->text(), "Theme");
    EXPECT_EQ(subtitle->text(), "Applies to every Plyx widget on your desktop");
    EXPECT_TRUE(title->isVisible() && subtitle->isVisible());
    auto* scroll = view.findChild<QWidget*>("settingsScroll");
    EXPECT_LE(subtitle->mapTo(&view, QPoint(0, subtitle->height())).y(), scroll->mapTo(&view, QPoint(0, 0)).y());

    QFont sans("sans-serif");
    sans.setStyleHint(QFont::SansSerif);
    const QString systemFace = QFontInfo(sans).family().toUpper();
    ASSERT_FALSE(systemFace.isEmpty());
    const std::vector<std::pair<const char*, QString>> tags{
        {"numerals.dotMatrix", "DEFAULT"}, {"numerals.mono", "TERMINAL"}, {"numerals.system", systemFace}};
    for (const auto& [card, tag] : tags) {
        auto* c = child<OptionCard>(view, card);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(child<QLabel>(*c, "fontTag")->text(), tag) << card;
    }
}

TEST_F(ThemeViewTest, TheCaptionIsSecondaryWhileFollowingAndTheAccentsColourOtherwise) {
    ThemeStore store;
    ThemeView view(store);
    pickInWell(view, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(caption(view), "CUSTOM");
    EXPECT_EQ(captionColor(view), QColor(0x12, 0x34, 0x56));
    child<QCheckBox>(view, "followSystemAccent")->setChecked(true);
    EXPECT_EQ(caption(view), "SYSTEM");
    EXPECT_EQ(captionColor(view), secondaryForeground(view.palette()));
    EXPECT_EQ(view.draft().accent, Accent::custom("#123456")) << "following keeps the custom accent";
}

TEST_F(ThemeViewTest, AnOptionCardsOutlineIsTheInterfaceAccentAndNeverChangesItsSize) {
    ThemeStore store;
    ThemeView view(store);
    view.resize(1000, 720);
    view.show();
    auto* dot = child<OptionCard>(view, "numerals.dotMatrix");
    auto* mono = child<OptionCard>(view, "numerals.mono");
    const QSize before = mono->size();
    EXPECT_EQ(dot->outlineColor(), view.palette().color(QPalette::Highlight));
    EXPECT_EQ(mono->outlineColor().alpha(), 0);
    mono->click();
    QApplication::processEvents();
    EXPECT_EQ(mono->outlineColor(), view.palette().color(QPalette::Highlight));
    EXPECT_EQ(dot->outlineColor().alpha(), 0);
    EXPECT_EQ(mono->size(), before);
}

TEST_F(ThemeViewTest, ThePageOpensOnTheThemeInForceAndDropsUnappliedEdits) {
    ThemeStore::save(storedTheme());
    ThemeStore store;
    ThemeView view(store);
    EXPECT_EQ(view.draft(), storedTheme());
    view.show();
    child<QAbstractButton>(view, "swatch.4")->click();
    child<QAbstractButton>(view, "labels.systemSans")->click();
    ASSERT_NE(view.draft(), storedTheme());

    // Leaving and coming back: the edits are gone, nothing was stored.
    view.hide();
    view.show();
    EXPECT_EQ(view.draft(), storedTheme());
    EXPECT_EQ(ThemeStore::current(), storedTheme());
    EXPECT_EQ(ringedSwatch(view), 3);

    // The store changed in the meantime (another window applied): the page
    // opens on the store's theme, not on what was read at creation.
    view.hide();
    ThemeSettings other;
    other.accent = Accent::named(Kind::green);
    store.setSettings(other);
    view.show();
    EXPECT_EQ(view.draft(), other);
}

TEST_F(ThemeViewTest, ApplyingSavesTheDraftReloadsEveryWidgetAndConfirms) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    widgetkit::WidgetCenter::setBusNames({"/test/theme/WidgetCenter", "test.theme.WidgetCenter"});
    std::vector<std::optional<std::string>> reloads;
    widgetkit::WidgetReloadListener listener([&](const auto& kind) { reloads.push_back(kind); });
    ASSERT_TRUE(listener.isListening());

    ThemeStore store;
    QSignalSpy published(&store, &ThemeStore::settingsChanged);
    ThemeView view(store);
    ManualScheduler timer;
    view.setConfirmationScheduler(timer.scheduler());
    view.show();
    child<QAbstractButton>(view, "swatch.1")->click();
    child<QAbstractButton>(view, "numerals.mono")->click();
    child<QAbstractButton>(view, "surface.glass")->click();
    const ThemeSettings edited = view.draft();
    ASSERT_EQ(published.count(), 0);

    auto* button = child<QPushButton>(view, "applyButton");
    EXPECT_EQ(button->text(), "Apply to All Widgets");
    button->click();

    EXPECT_EQ(ThemeStore::current(), edited);
    EXPECT_EQ(store.settings(), edited);
    EXPECT_EQ(published.count(), 1);
    EXPECT_TRUE(view.applied());
    EXPECT_EQ(button->text(), "Applied ✓");
    ASSERT_TRUE(test::spinUntil([&] { return !reloads.empty(); }));
    EXPECT_EQ(reloads, (std::vector<std::optional<std::string>>{std::nullopt})) << "all timelines, not one kind";

    // An unchanged theme is applied all the same: saved, reloaded, confirmed.
    SharedStorage::remove(StorageKeys::theme);
    ASSERT_EQ(ThemeStore::current(), ThemeSettings{});
    button->click();
    EXPECT_EQ(ThemeStore::current(), edited);
    ASSERT_TRUE(test::spinUntil([&] { return reloads.size() == 2; }));
    EXPECT_EQ(published.count(), 2);
}

TEST_F(ThemeViewTest, TheConfirmationEndsTwoSecondsAfterEachPressEvenAfterALaterPress) {
    ThemeStore store;
    ThemeView view(store);
    ManualScheduler timer;
    view.setConfirmationScheduler(timer.scheduler());
    auto* button = child<QPushButton>(view, "applyButton");

    button->click();
    button->click(); // a second press before the first's wait is over
    ASSERT_EQ(timer.waits.size(), 2u);
    for (const auto& w : timer.waits) EXPECT_EQ(w.delay, std::chrono::milliseconds(2000));
    EXPECT_EQ(button->text(), "Applied ✓");

    // The first press's wait is not cancelled by the second: it ends the
    // confirmation; the second's sets it off again.
    timer.waits[0].done();
    EXPECT_FALSE(view.applied());
    EXPECT_EQ(button->text(), "Apply to All Widgets");
    timer.waits[1].done();
    EXPECT_FALSE(view.applied());
    EXPECT_EQ(button->text(), "Apply to All Widgets");
}
