#include "app/catalog/CatalogPreview.h"
#include "platform/time/Time.h"
#include "shared/models/NoteItem.h"
#include "shared/models/SampleMoment.h"
#include "tests/shared/views/ViewTestContext.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace plyx;

namespace {

const CatalogWidget& entry(const std::string& kind) {
    for (const auto& w : WidgetCatalog::all())
        if (kind == w.kind) return w;
    throw std::runtime_error("no catalog entry " + kind);
}

std::vector<std::string> previewTexts(const std::string& kind) {
    const auto& w = entry(kind);
    return test::texts(test::dumpLines(w.preview(test::viewContext()), WidgetCatalog::designSize(w.size),
                                       test::at(time::now())));
}

/// Whether `want` appears in `got` in order, other texts between allowed.
bool inOrder(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    std::size_t i = 0;
    for (const auto& t : got)
        if (i < want.size() && t == want[i]) ++i;
    return i == want.size();
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& t : texts) out += "[" + t + "]";
    return out;
}

struct ScopedClock {
    explicit ScopedClock(Date at) { time::setClock([at] { return at; }); }
    ~ScopedClock() { time::setClock({}); }
};

} // namespace

// The same instant at every read, in any local zone and whatever calendar the
// locale names: the moment is the Gregorian 15 July 2026 in London.
TEST(CatalogPreview, PreviewMomentIsFixedWhateverTheLocalZoneAndCalendar) {
    const Date first = WidgetCatalog::previewDate();
    EXPECT_EQ(first.sinceReferenceDate, WidgetCatalog::previewDate().sinceReferenceDate);
    time::setCurrentZone("Pacific/Auckland");
    time::setCurrentLocale("th_TH@calendar=buddhist");
    const Date elsewhere = WidgetCatalog::previewDate();
    time::setCurrentLocale("");
    time::setCurrentZone("");
    EXPECT_EQ(elsewhere.sinceReferenceDate, first.sinceReferenceDate);
    const auto london = time::components(first, "Europe/London");
    EXPECT_EQ((std::vector<int>{london.year, london.month, london.day, london.hour, london.minute, london.second}),
              (std::vector<int>{2026, 7, 15, 16, 32, 37}));
    EXPECT_EQ(london.weekday, 4); // Wednesday
    EXPECT_EQ(london.dayOfYear, 196);
}

// Every entry is drawn by a view of its own at its design size, and draws
// more than a plain background; a kind the catalog does not list draws nothing.
TEST(CatalogPreview, EveryEntryDrawsItsOwnView) {
    for (const auto& w : WidgetCatalog::all()) {
        SCOPED_TRACE(w.kind);
        ASSERT_TRUE(WidgetCatalog::hasPreview(w.kind));
        const auto drawn = WidgetCatalog::renderPreview(w, 2);
        ASSERT_TRUE(drawn.has_value());
        const auto size = WidgetCatalog::designSize(w.size);
        EXPECT_EQ(drawn->image.width(), int(size.width * 2));
        EXPECT_EQ(drawn->image.height(), int(size.height * 2));
        std::set<QRgb> colours;
        for (int y = 0; y < drawn->image.height() && colours.size() < 8; y += 3)
            for (int x = 0; x < drawn->image.width(); x += 3) colours.insert(drawn->image.pixel(x, y));
        EXPECT_GE(colours.size(), 8u);
    }
    const CatalogWidget unknown{"plyx.none", "None", CatalogWidget::Category::extras, CatalogWidget::Size::small,
                                WidgetPalette::Tone::dark};
    EXPECT_FALSE(WidgetCatalog::renderPreview(unknown, 1));
    const auto nothing = test::dumpLines(unknown.preview(test::viewContext()), {160, 160});
    EXPECT_TRUE(test::texts(nothing).empty());
    EXPECT_LE(nothing.size(), 1u);
}

// The samples each preview is fed, as its widget shows them: a few per category.
TEST(CatalogPreview, ShowsTheCatalogSamples) {
    test::FreshStorage fresh; // the clock faces follow the locale's 12-hour clock
    const std::string firstNote = NoteItem::samples().at(0).text.substr(0, 11);
    const std::string secondNote = NoteItem::samples().at(1).text.substr(0, 11);
    struct Case {
        const char* kind;
        std::vector<std::string> texts;
    };
    const std::vector<Case> table{
        // London first and at home; 16:32 in London is 11:32 in New York and 00:32 in Tokyo.
        {"plyx.clock.world", {"LONDON", "4", "32", "NEW YORK", "11", "32", "TOKYO", "12", "32"}},
        {"plyx.clock.dual", {"HOME", "4", "32", "GMT+1 \u00B7 DAY", "SYDNEY", "1", "32", "GMT+10 \u00B7 NIGHT"}},
        {"plyx.clock.matrixSmall", {"LONDON", "4", "32", "WED, JUL 15"}},
        {"plyx.clock.hybridClassic", {"4", "32"}},
        {"plyx.reminders.today", {"Call Maya re: press kit", "17:00", "Water the monstera", "18:30", "2 OF 5 DONE"}},
        {"plyx.reminders.nextUp", {"NEXT UP", "28", "MIN"}},
        {"plyx.calendar.bigDate", {"WEDNESDAY", "15", "JULY 2026"}},
        {"plyx.calendar.agenda",
         {"3 EVENTS", "09:30", "14:00", "Design review \u00B7 Plyx 1.2", "STUDIO B \u00B7 45 MIN", "DAY 68%"}},
        {"plyx.weather.moon", {"WAXING GIBBOUS", "FULL IN 6 DAYS"}},
        {"plyx.weather.night", {"CLEAR NIGHT"}},
        {"plyx.weather.current", {"PARTLY CLOUDY"}},
        {"plyx.battery.percent", {"68", "%"}},
        {"plyx.screentime.total", {"3H 24M", "24M OVER LIMIT"}},
        {"plyx.screentime.apps", {"FIGMA", "1H 12M", "SAFARI", "47M", "MESSAGES", "36M"}},
        {"plyx.screentime.weekly", {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"}},
        {"plyx.nowplaying", {"NOW PLAYING"}},
        {"plyx.habits.week", {"RUN", "READ", "NO SUGAR"}},
        {"plyx.countdown", {"LAUNCH", "12", "DAYS LEFT"}},
        {"plyx.steps", {"8,214", "GOAL 10,000"}},
        {"plyx.water", {"5 OF 8 GLASSES"}},
        {"plyx.system.monitor", {"34%", "61%", "88%"}},
        {"plyx.system.network", {"482", "36"}},
        {"plyx.system.storage", {"721", "OF 1TB"}},
        {"plyx.year", {"YEAR 2026", "DAY 196 \u00B7 169 REMAINING"}},
        {"plyx.quote", {"Simplicity is the ultimate\\nsophistication."}},
    };
    for (const auto& c : table) {
        const auto texts = previewTexts(c.kind);
        EXPECT_TRUE(inOrder(texts, c.texts)) << c.kind << " shows " << joined(texts);
    }
    // The quick note shows the first sample note, the single note the second.
    const auto shows = [](const std::vector<std::string>& texts, const std::string& start) {
        for (const auto& t : texts)
            if (t.rfind(start, 0) == 0) return true;
        return false;
    };
    const auto quick = previewTexts("plyx.notes.quick"), single = previewTexts("plyx.notes.single");
    EXPECT_TRUE(shows(quick, firstNote) && !shows(quick, secondNote)) << joined(quick);
    EXPECT_TRUE(shows(single, secondNote) && !shows(single, firstNote)) << joined(single);
}

// The clocks, calendars, counters, system and year previews show the same at
// any time; the countdown is always twelve days ahead of the moment it is drawn.
TEST(CatalogPreview, OnlyTheLiveSamplesFollowTheClock) {
    test::FreshStorage fresh;
    const std::vector<const char*> fixed{"plyx.clock.dual", "plyx.calendar.monthGrid", "plyx.screentime.total",
                                         "plyx.weather.moon", "plyx.steps", "plyx.system.monitor", "plyx.year"};
    std::vector<std::vector<std::string>> seen[2];
    std::vector<std::string> countdown[2];
    const Date moments[2] = {time::dateFrom(2026, 3, 1, 10, 0, 0, "UTC"), time::dateFrom(2027, 11, 25, 19, 0, 0, "UTC")};
    for (int i = 0; i < 2; ++i) {
        ScopedClock clock(moments[i]);
        for (const char* kind : fixed) seen[i].push_back(previewTexts(kind));
        countdown[i] = previewTexts("plyx.countdown");
    }
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_TRUE(inOrder(countdown[0], {"12", "DAYS LEFT", "MAR 13 \u00B7 10AM"})) << joined(countdown[0]);
    EXPECT_TRUE(inOrder(countdown[1], {"12", "DAYS LEFT", "DEC 7 \u00B7 7PM"})) << joined(countdown[1]);
}

// The samples dated from their creation and the moment the previews are
// drawn at are one: a minute on, the focus sample still has 15:32 left and
// the stopwatch still reads 4:47.
TEST(CatalogPreview, LiveSamplesReadAsMeantAtTheSampleMoment) {
    test::FreshStorage fresh;
    const Date start = time::now();
    models::sampleMoment();
    ScopedClock later(start + 60);
    const std::vector<std::pair<const char*, const char*>> table{{"plyx.focus.timer", "15:32"},
                                                                 {"plyx.stopwatch", "4:47"}};
    for (const auto& [kind, shown] : table) {
        const auto& w = entry(kind);
        const auto texts = test::texts(test::dumpLines(w.preview(test::viewContext()),
                                                       WidgetCatalog::designSize(w.size), test::at(models::sampleMoment())));
        EXPECT_TRUE(inOrder(texts, {shown})) << kind << " shows " << joined(texts);
    }
}
