#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/models/NoteItem.h"
#include "shared/stores/NotesFile.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/UsageLog.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/NotesWidgets.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/ScreenTimeWidgets.h"
#include "widgets/timelines/UsageProvider.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace plyx;
using widgetkit::RequestMode;

namespace {

constexpr Date kNow{800'000'000};

const widgetkit::WidgetConfiguration& widget(const WidgetRow& row) {
    const auto* d = PlyxWidgetsBundle::find(row.kind);
    EXPECT_NE(d, nullptr) << row.kind;
    return d->configuration;
}

widgetkit::ProviderAnswer request(const WidgetRow& row, RequestMode mode) {
    const auto& w = widget(row);
    return widgetkit::request(w, mode, intents::Configuration::defaults(w.intent()), {});
}

template <class T> const PlyxEntry<T>& entryOf(const widgetkit::ProviderAnswer& t) {
    return std::any_cast<const PlyxEntry<T>&>(t.entries.at(0).entry);
}

NoteItem note(const std::string& text, double edited, bool pinned = false) {
    return NoteItem{Uuid::random(), text, Date{edited}, pinned};
}

std::vector<std::string> textsOf(const std::vector<NoteItem>& notes) {
    std::vector<std::string> out;
    for (const auto& n : notes) out.push_back(n.text);
    return out;
}

} // namespace

TEST(NotesWidgets, TimelineReadsTheFileNewestFirstAndAsksAgainInAnHour) {
    test::FreshStorage fresh;
    test::FakeClock clock{kNow};
    struct Case {
        const char* name;
        std::optional<std::string> file; // raw content; none: no file
        std::vector<std::string> want;
    };
    // Equal edit times keep file order; an old pinned note stays behind newer ones.
    std::vector<NoteItem> stored = {note("old pinned", 100, true), note("b", 300), note("c", 300), note("newest", 400)};
    const Case cases[] = {
        {"no file", std::nullopt, {}},
        {"empty array", "[]", {}},
        {"damaged", "[{\"id\":1}]", {}},
        {"stored", "", {"newest", "b", "c", "old pinned"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(NotesFile::location());
        if (c.file && c.file->empty()) ASSERT_TRUE(NotesFile::write(stored));
        else if (c.file) test::writeFile(NotesFile::location(), *c.file);
        for (const auto* row : {&NotesQuickWidget, &NotesListWidget, &NotesPinnedWidget}) {
            const auto t = request(*row, RequestMode::timeline);
            ASSERT_EQ(t.entries.size(), 1u);
            EXPECT_EQ(textsOf(entryOf<std::vector<NoteItem>>(t).data), c.want);
            EXPECT_EQ(t.policy, widgetkit::TimelineReloadPolicy::after(kNow + 3600));
        }
    }
}

TEST(NotesWidgets, PreviewsAndPlaceholdersShowTheSamplesInTheirOrder) {
    test::FreshStorage fresh;
    ASSERT_TRUE(NotesFile::write({note("mine", 10)}));
    const auto samples = textsOf(NoteItem::samples());
    EXPECT_EQ(textsOf(entryOf<std::vector<NoteItem>>(request(NotesSingleWidget, RequestMode::preview)).data),
              samples);
    const auto placeholder = request(NotesSingleWidget, RequestMode::placeholder);
    EXPECT_EQ(textsOf(entryOf<std::vector<NoteItem>>(placeholder).data), samples);
    EXPECT_EQ(entryOf<std::vector<NoteItem>>(placeholder).surface, SurfaceOption::followApp);
    EXPECT_EQ(textsOf(entryOf<std::vector<NoteItem>>(request(NotesSingleWidget, RequestMode::snapshot)).data),
              std::vector<std::string>{"mine"});
}

TEST(NotesWidgets, LinksOpenTheNotesOrANewNote) {
    EXPECT_STREQ(NotesQuickWidget.link, "plyxwidgets://notes/new");
    for (const auto* row : {&NotesSingleWidget, &NotesListWidget, &NotesPinnedWidget})
        EXPECT_STREQ(row->link, "plyxwidgets://notes") << row->kind;
}

TEST(ScreenTimeWidgets, BudgetFallsBackToEightHoursAndAnEmptyLogGivesAnEmptyDay) {
    test::FreshStorage fresh;
    test::FakeClock clock{kNow};
    struct Case {
        std::optional<std::int64_t> stored;
        std::int64_t budget;
    };
    const Case cases[] = {{std::nullopt, 480}, {0, 480}, {-30, 480}, {90, 90}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or(-1));
        if (c.stored) SharedStorage::setInteger(StorageKeys::screenTimeBudgetMinutes, *c.stored);
        else SharedStorage::remove(StorageKeys::screenTimeBudgetMinutes);
        // A timeline never shows the sample, in a preview neither.
        widgetkit::TimelineProviderContext preview;
        preview.isPreview = true;
        const auto t = UsageProvider{}.timeline(SurfaceConfigIntent{}, preview);
        ASSERT_EQ(t.entries.size(), 1u);
        const auto& data = t.entries[0].data;
        EXPECT_EQ(data.budgetMinutes, c.budget);
        EXPECT_EQ(data.totalMinutes, 0);
        EXPECT_TRUE(data.apps.empty());
        EXPECT_TRUE(data.week.empty());
        EXPECT_EQ(t.policy, widgetkit::TimelineReloadPolicy::after(kNow + 600));
        // Outside previews an empty log shows the sample; previews and placeholders always do.
        EXPECT_EQ(entryOf<UsageSnapshot>(request(UsageWeeklyWidget, RequestMode::snapshot)).data, UsageSnapshot::sample());
        EXPECT_EQ(entryOf<UsageSnapshot>(request(UsageAppsWidget, RequestMode::placeholder)).data,
                  UsageSnapshot::sample());
    }
}

TEST(ScreenTimeWidgets, TimelineCarriesTheLogAgainstTheStoredBudget) {
    test::FreshStorage fresh;
    test::FakeClock clock{kNow};
    SharedStorage::setInteger(StorageKeys::screenTimeBudgetMinutes, 90);
    UsageLog::add(3 * 3600, "Editor", kNow);
    const auto answer = request(UsageElapsedWidget, RequestMode::timeline);
    const auto& data = entryOf<UsageSnapshot>(answer).data;
    EXPECT_EQ(data.totalMinutes, 180);
    EXPECT_EQ(data.budgetMinutes, 90);
    ASSERT_FALSE(data.apps.empty());
    EXPECT_EQ(data.apps.front().name, "Editor");
    EXPECT_EQ(entryOf<UsageSnapshot>(request(UsageElapsedWidget, RequestMode::preview)).data,
              UsageSnapshot::sample());
}
