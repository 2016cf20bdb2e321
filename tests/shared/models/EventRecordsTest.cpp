// Reminders and calendar records: stored forms and samples.
#include "shared/models/CalendarSnapshot.h"
#include "shared/models/RemindersSnapshot.h"

#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

TEST(RemindersSnapshot, StoredFormAndDecodeTable) {
    const ReminderItem noTime{"x-1", "Pay rent", std::nullopt, false, true};
    EXPECT_EQ(*coding::encode(noTime), R"({"id":"x-1","title":"Pay rent","done":false,"isUrgent":true})");
    EXPECT_EQ(*coding::encode(RemindersSnapshot{{noTime}, std::nullopt, std::nullopt}),
              R"({"items":[{"id":"x-1","title":"Pay rent","done":false,"isUrgent":true}]})");
    EXPECT_EQ(coding::decode<RemindersSnapshot>(*coding::encode(RemindersSnapshot::sample())), RemindersSnapshot::sample());

    const std::string item = R"({"id":"1","title":"t","time":"17:00","done":false,"isUrgent":false})";
    const std::pair<std::string, bool> cases[] = {
        {R"({"items":[)" + item + "]}", true},
        {R"({"items":[],"nextUp":null,"minutesToNext":null,"stale":true})", true},
        {R"({"items":[],"nextUp":)" + item + R"(,"minutesToNext":28})", true},
        {R"({"items":[{"id":"1","title":"t","isUrgent":false}]})", false},  // no "done"
        {R"({"items":[)" + item + R"(,{"id":2,"title":"t","done":false,"isUrgent":false}]})", false},
        {R"({"items":[],"minutesToNext":28.5})", false},
        {R"({"nextUp":)" + item + "}", false},
        {"not json", false},
    };
    for (const auto& [json, ok] : cases) EXPECT_EQ(coding::decode<RemindersSnapshot>(json).has_value(), ok) << json;

    // Order matters.
    auto reversed = RemindersSnapshot::sample();
    std::swap(reversed.items[0], reversed.items[1]);
    EXPECT_NE(reversed, RemindersSnapshot::sample());

    // Stored and read back under its key.
    test::FreshStorage storage;
    ASSERT_TRUE(SharedStorage::write(StorageKeys::remindersSnapshot, RemindersSnapshot::sample()));
    EXPECT_EQ(SharedStorage::read<RemindersSnapshot>(StorageKeys::remindersSnapshot), RemindersSnapshot::sample());
}

TEST(RemindersSnapshot, Samples) {
    const auto& items = ReminderItem::samples();
    ASSERT_EQ(items.size(), 5u);
    const std::vector<ReminderItem> known{
        {"1", "Morning run 5K", std::nullopt, true, false},
        {"2", "Ship widget beta build", std::nullopt, true, false},
        {"4", "Water the monstera", "18:30", false, true},
        {"5", "Review App Store copy", "21:00", false, false},
    };
    EXPECT_EQ(items[0], known[0]);
    EXPECT_EQ(items[1], known[1]);
    EXPECT_EQ(items[3], known[2]);
    EXPECT_EQ(items[4], known[3]);
    EXPECT_EQ(items[2].id, "3");
    EXPECT_EQ(items[2].title.size(), 23u);
    EXPECT_EQ(items[2].time, "17:00");
    EXPECT_FALSE(items[2].done || items[2].isUrgent);

    const auto& s = RemindersSnapshot::sample();
    EXPECT_EQ(s.items, items);
    EXPECT_EQ(s.nextUp, items[2]);
    EXPECT_EQ(s.minutesToNext, 28);
}

TEST(CalendarSnapshot, StoredFormAndSamples) {
    EXPECT_EQ(*coding::encode(CalendarSnapshot{{}, 0}), R"({"events":[],"dayProgress":0})");
    EXPECT_EQ(*coding::encode(CalendarSnapshot{{}, 1}), R"({"events":[],"dayProgress":1})");
    EXPECT_EQ(coding::decode<CalendarSnapshot>(R"({"events":[],"dayProgress":1})"), (CalendarSnapshot{{}, 1}));
    const auto& sample = CalendarSnapshot::sample();
    EXPECT_EQ(coding::decode<CalendarSnapshot>(*coding::encode(sample)), sample);

    const std::pair<std::string, bool> cases[] = {
        {R"({"events":[{"id":"1","start":"09:30","title":"t","isPast":true,"isNext":false}],"dayProgress":0.5})", true},
        {R"({"events":[{"id":"1","start":"09:30","end":null,"title":"t","detail":null,"isPast":true,"isNext":false,"x":0}],"dayProgress":0.5})", true},
        {R"({"events":[{"id":"1","start":"09:30","title":"t","isPast":true}],"dayProgress":0.5})", false},
        {R"({"events":[{"id":"1","start":"09:30","end":1430,"title":"t","isPast":true,"isNext":false}],"dayProgress":0.5})", false},
        {R"({"events":[],"dayProgress":"68%"})", false},
        {R"({"events":[]})", false},
    };
    for (const auto& [json, ok] : cases) EXPECT_EQ(coding::decode<CalendarSnapshot>(json).has_value(), ok) << json;

    const auto& e = EventItem::samples();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0], (EventItem{"1", "09:30", std::nullopt, "Standup \u00B7 widgets team", "Done", true, false}));
    EXPECT_EQ(e[1], (EventItem{"2", "14:00", "14:45", "Design review \u00B7 Plyx 1.2", "Studio B \u00B7 45 min", false, false}));
    EXPECT_EQ((std::tuple{e[2].id, e[2].start, e[2].end, e[2].detail, e[2].isPast, e[2].isNext}),
              (std::tuple{std::string("3"), std::string("17:00"), std::optional<std::string>("17:30"),
                          std::optional<std::string>("FaceTime \u00B7 30 min"), false, true}));
    EXPECT_EQ(e[2].title.size(), 24u);
    EXPECT_EQ(sample.events, e);
    EXPECT_EQ(sample.dayProgress, 0.68);
}

} // namespace
} // namespace plyx
