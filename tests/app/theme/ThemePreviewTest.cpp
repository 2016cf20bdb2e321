// The live preview: three real widget views in the edited theme, at the
// preview moment, restyled at once by every edit and never from the stored theme.
#include "app/theme/ThemePreview.h"
#include "app/theme/ThemePreviewColumn.h"
#include "app/theme/ThemeView.h"
#include "platform/time/Time.h"
#include "platform/ui/widget/ViewWidget.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/SystemAccent.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/app/theme/OffscreenApp.h"
#include "tests/support/TestSupport.h"
#include "tests/support/dump/DumpLines.h"

#include <QCheckBox>
#include <QImage>

#include <algorithm>

#include <gtest/gtest.h>

using namespace plyx;
using Kind = ThemeSettings::Accent::Kind;

namespace {

class ThemePreviewTest : public ::testing::Test {
protected:
    void SetUp() override { test::offscreenApp(); }

    // A point on the clock card's own background: inside its rounded shape,
    // left of the content's side margin, at mid height.
    static QColor clockBackground(ThemeView& view) {
        auto* card = view.previewColumn()->cardWidget(0);
        const QImage image = card->grab().toImage();
        return image.pixelColor(int(10.75 + 8), image.height() / 2);
    }

    test::FreshStorage storage;
};

} // namespace

TEST_F(ThemePreviewTest, CardsTakeTheSharedScaleAndShowThePreviewMomentInLondon) {
    // Whatever the machine's zone, the clock reads 16:32 on Wednesday 15 July.
    time::setCurrentZone("Asia/Tokyo");
    const ThemeSettings theme;
    const auto& clock = ThemePreview::cards[0];
    const auto lines = test::dumpLines(ThemePreview::cardView(clock, theme), clock.frame, ThemePreview::environment());
    time::setCurrentZone("");

    // 150/160 of the design: the medium clock is 322.5 by 150, centred in 344.
    const auto shapes = test::ofKind(lines, "ContinuousRoundedRectangle");
    ASSERT_FALSE(shapes.empty());
    EXPECT_DOUBLE_EQ(shapes.front().x, 10.75);
    EXPECT_DOUBLE_EQ(shapes.front().width, 322.5);
    EXPECT_DOUBLE_EQ(shapes.front().height, 150);
    // (The test locale reads the 12-hour clock; Tokyo would be 00:32 on Thursday.)
    std::vector<std::string> texts;
    for (const auto& l : lines)
        if (!l.text().empty()) texts.push_back(l.text());
    auto shows = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(shows("WEDNESDAY, JULY 15")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(shows("4")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(shows("32")) << ::testing::PrintToString(texts);

    for (const auto& card : {ThemePreview::cards[1], ThemePreview::cards[2]}) {
        const auto lines = test::dumpLines(ThemePreview::cardView(card, theme), card.frame);
        const auto small = test::ofKind(lines, "ContinuousRoundedRectangle");
        ASSERT_FALSE(small.empty());
        EXPECT_DOUBLE_EQ(small.front().width, 150);
        EXPECT_DOUBLE_EQ(small.front().height, 150);
    }
}

TEST_F(ThemePreviewTest, EveryEditRestylesTheCardsAtOnceAndNothingIsStored) {
    ThemeStore store;
    ThemeView view(store);
    view.resize(1000, 720);
    view.show();
    const QColor solid = clockBackground(view);
    EXPECT_TRUE(test::near(solid, PlyxTokens::ink)) << solid.name().toStdString();

    view.findChild<QAbstractButton*>("surface.accent")->click();
    view.findChild<QAbstractButton*>("swatch.1")->click(); // blue
    const QColor blue = clockBackground(view);
    EXPECT_GT(blue.blue(), blue.red() + 100) << blue.name().toStdString();

    view.findChild<QAbstractButton*>("swatch.4")->click(); // green
    const QColor green = clockBackground(view);
    EXPECT_GT(green.green(), green.red() + 60) << green.name().toStdString();
    EXPECT_GT(green.green(), green.blue() + 60) << green.name().toStdString();

    EXPECT_EQ(ThemeStore::current(), ThemeSettings{});
    EXPECT_EQ(store.settings(), ThemeSettings{});
}

TEST_F(ThemePreviewTest, FollowingTheSystemAccentDrawsTheCardsInItWhateverAccentIsHeld) {
    ThemeStore store;
    ThemeView view(store);
    view.resize(1000, 720);
    view.show();
    view.findChild<QAbstractButton*>("surface.accent")->click();
    view.findChild<QAbstractButton*>("swatch.4")->click(); // green, kept while following
    view.findChild<QCheckBox*>("followSystemAccent")->setChecked(true);

    // Mid height on a vertical gradient from the brightened accent to the accent.
    const ui::Color system = systemAccentColor();
    const ui::Color top = brightened(system, 0.18);
    const ui::Color mid = ui::Color::rgb((top.r + system.r) / 2, (top.g + system.g) / 2, (top.b + system.b) / 2);
    const QColor got = clockBackground(view);
    EXPECT_TRUE(test::near(got, mid, 6)) << got.name().toStdString() << " want " << hexString(mid);
    ASSERT_FALSE(test::near(got, PlyxTokens::green, 40)) << "the system accent here must differ from green";
}
