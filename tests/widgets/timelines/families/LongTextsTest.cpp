// Texts of any length, stored by another program or given in a widget's
// configuration, are drawn as far as the widget shows them, ending cut.
#include "platform/coding/Uuid.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/models/HabitItem.h"
#include "shared/models/NoteItem.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/MediaBridge.h"
#include "shared/stores/NotesFile.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/dump/DumpLines.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plyx;

namespace {

const Date kNow = Date::fromUnix(1778180400);

std::string repeated(const std::string& piece, std::size_t bytes) {
    std::string out;
    while (out.size() < bytes) out += piece;
    return out;
}

bool endsCut(const std::string& s) { return s.size() >= 3 && s.compare(s.size() - 3, 3, "\u2026") == 0; }

} // namespace

TEST(LongTexts, StoredAndConfiguredTextsAreDrawnCutToWhatTheWidgetShows) {
    test::FreshStorage storage;
    test::FakeClock clock{kNow};
    struct Case {
        const char* kind;
        std::function<void()> store;
        std::string config;
        std::string head; // how the drawn text starts, in the widget's letter case
    };
    const std::string note = repeated("\u65e5\u672c\u8a9e", 30000); // 10,000 characters
    const std::string name = repeated("Launch ", 30 * 1024);
    const Case cases[] = {
        {"plyx.notes.list", [&] { ASSERT_TRUE(NotesFile::write({{Uuid::random(), note, kNow, false}})); }, "",
         "\u65e5\u672c\u8a9e"},
        {"plyx.countdown", [] {}, R"({"name":")" + name + R"(","target":)" + std::to_string((kNow + 86400 * 3).sinceReferenceDate) + "}",
         "LAUNCH LAUNCH"},
        {"plyx.habits.week",
         [] {
             ASSERT_TRUE(SharedStorage::write(StorageKeys::habits,
                                              std::vector<HabitItem>{{Uuid::random(), repeated("Swim ", 1 << 20), {}}}));
         },
         "", "SWIM SWIM"},
        {"plyx.inbox",
         [] {
             InboxSnapshot inbox;
             inbox.unread = 3;
             inbox.latestPreview = "Ann: " + repeated("\u00e9t\u00e9 ", 1 << 20);
             inbox.latestDate = kNow;
             inbox.connected = true;
             inbox.updated = kNow;
             MediaBridge::setInbox(inbox);
         },
         "", "Ann: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        c.store();
        const auto* d = PlyxWidgetsBundle::find(c.kind);
        ASSERT_NE(d, nullptr);
        const auto& w = d->configuration;
        std::string error;
        const auto config = intents::Configuration::parse(w.intent(), c.config, &error);
        ASSERT_TRUE(config) << error;
        const auto answer = widgetkit::request(w, widgetkit::RequestMode::timeline, *config, {});
        ASSERT_FALSE(answer.entries.empty());
        ui::Environment env;
        env.now = kNow;
        bool found = false;
        for (const auto& l : test::ofKind(test::dumpLines(w.content(answer.entries[0]), d->designSize(), env), "Text")) {
            if (l.text().rfind(c.head, 0) != 0) continue;
            found = true;
            EXPECT_TRUE(endsCut(l.text())) << l.text();
            EXPECT_LE(l.x + l.width, d->designSize().width) << l.text();
        }
        EXPECT_TRUE(found);
        // And drawn, at the host's ratio.
        const auto image = widgetkit::renderEntry(w, answer.entries[0], d->designSize(), 2, env).image;
        EXPECT_EQ(image.width(), int(d->designSize().width * 2));
    }
}
