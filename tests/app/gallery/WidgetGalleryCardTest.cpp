#include "app/gallery/WidgetGalleryCard.h"
#include "platform/ui/widget/ViewWidget.h"
#include "tests/support/FakeClock.h"
#include "tests/support/gui/WidgetsApp.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace plyx;
using Z = CatalogWidget::Size;

namespace {

const CatalogWidget& entry(const std::string& kind) {
    for (const auto& w : WidgetCatalog::all())
        if (kind == w.kind) return w;
    throw std::runtime_error("no catalog entry " + kind);
}

} // namespace

// The preview is offered at most 120 points across (small) or 240 (the
// others) inside the 14-point inset, 120 high (200 for large), and fitted in
// it; a tile is at least 180 points tall, 260 for a large widget.
TEST(WidgetGalleryCard, PreviewSpaceAndTileHeightBySize) {
    test::widgetsApp();
    struct Case {
        const char* kind;
        int tileWidth;
        QSizeF widget;
        int leastHeight;
    };
    const std::vector<Case> table{
        {"plyx.clock.dotDial", 250, {120, 120}, 180},
        {"plyx.clock.dual", 250, {222, 222.0 * 160 / 344}, 180},
        {"plyx.clock.dual", 340, {240, 240.0 * 160 / 344}, 180},
        {"plyx.reminders.today", 250, {200, 200}, 260},
        {"plyx.reminders.today", 228, {200, 200}, 260},
        {"plyx.reminders.today", 220, {192, 192}, 260},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(std::string(c.kind) + " in " + std::to_string(c.tileWidth));
        WidgetGalleryCard card(entry(c.kind), ThemeSettings{});
        const int height = card.heightForWidth(c.tileWidth);
        EXPECT_GE(height, c.leastHeight);
        card.resize(c.tileWidth, height);
        card.show();
        const QRectF widget = card.widgetRect();
        EXPECT_NEAR(widget.width(), c.widget.width(), 0.01);
        EXPECT_NEAR(widget.height(), c.widget.height(), 0.01);
        EXPECT_NEAR(widget.center().x(), c.tileWidth / 2.0, 0.01);
        EXPECT_GE(card.previewArea().top(), WidgetGalleryCard::kInset);
        EXPECT_EQ(card.previewWidget()->geometry(), card.previewArea().toRect());
    }
}

// Selected: a 2-point border in the given (desktop) accent; unselected: a
// faint 1-point one. The preview does not move either way.
TEST(WidgetGalleryCard, SelectionBorderLeavesTheContentInPlace) {
    test::widgetsApp();
    WidgetGalleryCard card(entry("plyx.water"), ThemeSettings{});
    card.resize(250, card.heightForWidth(250));
    card.show();
    card.setSelectionColor(ui::Color::rgb(0, 0.8, 0));
    const QRect preview = card.previewWidget()->geometry();
    auto edge = [&](int depth) {
        const QImage shot = card.grab().toImage();
        const double dpr = shot.devicePixelRatio();
        return shot.pixelColor(QPointF(125 * dpr, (depth + 0.5) * dpr).toPoint());
    };
    const QColor plainOuter = edge(0), plainInner = edge(1);
    card.setSelected(true);
    const QColor outer = edge(0), inner = edge(1);
    EXPECT_EQ(card.previewWidget()->geometry(), preview);
    EXPECT_GT(outer.green(), 150);
    EXPECT_LT(outer.red(), 60);
    EXPECT_GT(inner.green(), 150); // two points deep
    EXPECT_LT(plainOuter.green() - plainOuter.red(), 10); // a neutral, faint line
    EXPECT_EQ(plainInner, QColor(plainInner.red(), plainInner.red(), plainInner.red()));
}

// A click on one of the preview's own buttons selects the tile: the gallery
// never runs a widget's action.
TEST(WidgetGalleryCard, AClickOnAPreviewButtonOnlySelects) {
    test::widgetsApp();
    WidgetGalleryCard card(entry("plyx.water"), ThemeSettings{});
    card.resize(250, card.heightForWidth(250));
    card.show();
    card.grab(); // paints, so the preview knows where its buttons are
    const auto& hits = card.previewWidget()->hits();
    ASSERT_FALSE(hits.empty());
    const QPoint button = card.previewWidget()->geometry().topLeft() +
                          QPointF(hits[0].rect.x + hits[0].rect.width / 2, hits[0].rect.y + hits[0].rect.height / 2).toPoint();
    int taps = 0;
    card.setOnTap([&] { ++taps; });
    QTest::mouseClick(&card, Qt::LeftButton, {}, button);
    EXPECT_EQ(taps, 1);
}

// The live previews (focus, stopwatch, now playing) are drawn at the moment
// their samples are dated from: a card built or painted a minute after the
// gallery opened shows exactly what one painted at once shows.
TEST(WidgetGalleryCard, APreviewPaintedLaterShowsTheSame) {
    test::widgetsApp();
    test::FakeClock clock;
    for (const char* kind : {"plyx.focus.timer", "plyx.stopwatch", "plyx.nowplaying"}) {
        SCOPED_TRACE(kind);
        WidgetGalleryCard early(entry(kind), ThemeSettings{});
        early.resize(250, early.heightForWidth(250));
        early.show();
        const QImage atOnce = early.grab().toImage();
        clock.advance(60);
        WidgetGalleryCard late(entry(kind), ThemeSettings{});
        late.resize(250, late.heightForWidth(250));
        late.show();
        EXPECT_EQ(late.grab().toImage(), atOnce) << "built a minute later";
        early.setTheme(ThemeSettings{}); // built again, as a theme change does
        EXPECT_EQ(early.grab().toImage(), atOnce) << "painted again a minute later";
    }
}
