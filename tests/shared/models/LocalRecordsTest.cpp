// Records the extension computes from local readings or that the application
// bridges over: system, network, storage, sky, quote, power, usage, now
// playing and inbox.
#include "shared/models/DaylightInfo.h"
#include "shared/models/InboxSnapshot.h"
#include "shared/models/MoonInfo.h"
#include "shared/models/NetworkSnapshot.h"
#include "shared/models/NowPlayingSnapshot.h"
#include "shared/models/PowerSnapshot.h"
#include "shared/models/QuoteItem.h"
#include "shared/models/StorageSnapshot.h"
#include "shared/models/SystemSnapshot.h"
#include "shared/models/UsageSnapshot.h"
#include "shared/models/WallClock.h"

#include "platform/time/Time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace plyx {
namespace {

// Checks a record family's decoder against a table of documents.
template <class T> void expectDecodes(const std::vector<std::pair<std::string, bool>>& table) {
    for (const auto& [json, ok] : table) EXPECT_EQ(coding::decode<T>(json).has_value(), ok) << json;
}

template <class T> void expectRoundTrip(const T& v) {
    const auto text = coding::encode(v);
    ASSERT_TRUE(text);
    EXPECT_EQ(coding::decode<T>(*text), v) << *text;
}

TEST(SystemRecords, StoredFormsAndDecodeTables) {
    EXPECT_EQ(*coding::encode(SystemSnapshot{12, 64, std::nullopt}), R"({"cpuPercent":12,"memoryPercent":64})");
    EXPECT_EQ(*coding::encode(SystemSnapshot{12, 64, 3}), R"({"cpuPercent":12,"memoryPercent":64,"gpuPercent":3})");
    expectRoundTrip(SystemSnapshot{12, 64, 3});
    expectRoundTrip(NetworkSnapshot{1.25, 0.004});
    expectRoundTrip(StorageSnapshot{321, 994});
    expectRoundTrip(QuoteItem{"Less, but better.", "D. R."});

    expectDecodes<SystemSnapshot>({
        {R"({"cpuPercent":1,"memoryPercent":2})", true},
        {R"({"cpuPercent":1,"memoryPercent":2,"gpuPercent":null})", true},
        {R"({"cpuPercent":1,"memoryPercent":2,"gpuPercent":3,"temp":40})", true},
        {R"({"cpuPercent":1})", false},
        {R"({"cpuPercent":1,"memoryPercent":2,"gpuPercent":"3"})", false},
        {R"({"cpuPercent":1.5,"memoryPercent":2})", false},
    });
    expectDecodes<NetworkSnapshot>({{R"({"downMBs":1,"upMBs":0.5})", true}, {R"({"downMBs":1})", false},
                                    {R"({"downMBs":true,"upMBs":0.5})", false}});
    expectDecodes<QuoteItem>({{R"({"text":"a","author":"b"})", true}, {R"({"text":"a","author":null})", false}});

    // NaN compares unequal, even to itself.
    const NetworkSnapshot nan{std::nan(""), 0};
    EXPECT_FALSE(nan == nan);
    EXPECT_FALSE(coding::encode(nan));
}

TEST(SystemRecords, StorageTotalLabel) {
    const std::pair<std::int64_t, const char*> cases[] = {{0, "0GB"},     {500, "500GB"},   {999, "999GB"},
                                                          {1000, "1TB"},  {1499, "1TB"},    {1500, "2TB"},
                                                          {2499, "2TB"},  {2500, "3TB"},    {3500, "4TB"}};
    for (const auto& [gb, label] : cases) EXPECT_EQ((StorageSnapshot{0, gb}.totalLabel()), label) << gb;
}

TEST(SkyRecords, MoonDetail) {
    struct Case {
        bool waxing;
        std::int64_t toFull, toNew;
        const char* text;
    };
    const Case cases[] = {
        {true, 0, 0, "Full moon tonight"}, {false, 0, 14, "Full moon tonight"}, {true, 14, 0, "New moon tonight"},
        {false, 20, 5, "New in 5 days"},   {true, 20, 5, "Full in 20 days"},    {true, 1, 16, "Full in 1 days"},
        {false, 29, 1, "New in 1 days"},
    };
    for (const auto& c : cases)
        EXPECT_EQ((MoonInfo{"Phase", 0.5, c.waxing, c.toFull, c.toNew}.detail()), c.text) << c.toFull << "/" << c.toNew;
    expectRoundTrip(MoonInfo{"Waxing Gibbous", 0.73, true, 4, 19});
    expectDecodes<MoonInfo>({{R"({"phaseName":"x","illuminated":1,"waxing":false,"daysToFull":0,"daysToNew":3})", true},
                             {R"({"phaseName":"x","illuminated":1,"waxing":0,"daysToFull":0,"daysToNew":3})", false}});
}

TEST(SkyRecords, DaylightLengthLabel) {
    const Date rise{1000};
    const std::pair<double, const char*> cases[] = {
        {16 * 3600 + 40 * 60 + 59, "16H 40M"}, {9 * 3600 + 5 * 60, "9H 5M"}, {30, "0H 0M"},
        {59.9, "0H 0M"}, {60, "0H 1M"}, {24 * 3600, "24H 0M"}, {-(3600 + 5 * 60 + 30), "-1H -5M"},
    };
    for (const auto& [len, label] : cases) EXPECT_EQ((DaylightInfo{rise, rise + len, "X"}.lengthLabel()), label) << len;
    // A broken date must not be converted into garbage.
    EXPECT_EQ((DaylightInfo{rise, Date{std::numeric_limits<double>::infinity()}, "X"}.lengthLabel()), "0H 0M");
}

TEST(SkyRecords, DaylightSampleAndAirOnThePresentDay) {
    const auto& s = DaylightInfo::sample();
    EXPECT_EQ(&s, &DaylightInfo::sample());
    EXPECT_EQ(s.place, "London");
    EXPECT_EQ(s.lengthLabel(), "15H 40M");  // the test zone (UTC) has no clock change
    const auto rise = time::components(s.sunrise);
    EXPECT_EQ((std::tuple{rise.hour, rise.minute, rise.second}), (std::tuple{5, 2, 0}));
    EXPECT_TRUE(time::isSameDay(s.sunrise, time::now()));
    expectRoundTrip(s);
}

TEST(SkyRecords, WallClockTimeAcrossClockChanges) {
    time::setCurrentZone("America/New_York");
    struct Case {
        int y, mo, d, h, mi;
        const char* expectedUtc;  // "yyyy-MM-dd HH:mm:ss" in UTC
    };
    const Case cases[] = {
        {2026, 7, 1, 5, 2, "2026-07-01 09:02:00"},    // an ordinary summer day
        {2026, 3, 8, 2, 30, "2026-03-08 07:00:00"},   // skipped: the first moment after the gap (03:00 EDT)
        {2026, 3, 8, 3, 30, "2026-03-08 07:30:00"},
        {2026, 11, 1, 1, 30, "2026-11-01 05:30:00"},  // repeated: the first of the two (EDT)
        {2026, 11, 1, 2, 30, "2026-11-01 07:30:00"},
    };
    for (const auto& c : cases) {
        const Date noon = time::dateFrom(c.y, c.mo, c.d, 12, 0, 0);
        EXPECT_EQ(time::formatPOSIX(models::wallClockTime(noon, c.h, c.mi, 0), "yyyy-MM-dd HH:mm:ss", "UTC"),
                  c.expectedUtc)
            << c.h << ":" << c.mi << " on " << c.mo << "/" << c.d;
    }
    time::setCurrentZone("UTC");
}

TEST(PowerSnapshot, StoredFormsAndDecodeTable) {
    PowerSnapshot p{40, true, std::nullopt, {{"Keyboard", 84}}, {{Date{10.5}, "Now", true}}};
    EXPECT_EQ(*coding::encode(p),
              R"({"percent":40,"isCharging":true,"devices":[{"name":"Keyboard","percent":84}],)"
              R"("log":[{"time":10.5,"message":"Now","isCurrent":true}]})");
    expectRoundTrip(p);
    p.remaining = "1H 5M";
    expectRoundTrip(p);

    const std::string tail = R"(,"devices":[],"log":[]})";
    expectDecodes<PowerSnapshot>({
        {R"({"percent":40,"isCharging":true)" + tail, true},
        {R"({"percent":40,"isCharging":true,"remaining":null)" + tail, true},
        {R"({"percent":40,"isCharging":true,"remaining":"2H","cycles":3)" + tail, true},
        {R"({"percent":40)" + tail, false},
        {R"({"percent":40,"isCharging":"yes")" + tail, false},
        {R"({"percent":40,"isCharging":true,"devices":[],"log":[{"time":1,"message":"m"}]})", false},
    });

    // The stored peripheral list: an array of devices, failing whole on one bad element.
    using Devices = std::vector<PowerSnapshot::Device>;
    EXPECT_EQ(coding::decode<Devices>("[]"), Devices{});
    EXPECT_EQ(coding::decode<Devices>(R"([{"name":"Keyboard","percent":84}])"), (Devices{{"Keyboard", 84}}));
    EXPECT_FALSE(coding::decode<Devices>(R"([{"name":"Keyboard","percent":84},{"name":"Mouse"}])"));
    EXPECT_FALSE(coding::decode<Devices>(R"({"name":"Keyboard","percent":84})"));
}

TEST(PowerSnapshot, Sample) {
    const auto& s = PowerSnapshot::sample();
    EXPECT_EQ(&s, &PowerSnapshot::sample());
    EXPECT_EQ(s.percent, 68);
    EXPECT_FALSE(s.isCharging);
    EXPECT_EQ(s.remaining, "2H 40M");
    EXPECT_EQ(s.devices, (std::vector<PowerSnapshot::Device>{{"Laptop", 68}, {"Keyboard", 84}, {"Mouse", 12}}));
    ASSERT_EQ(s.log.size(), 3u);
    const char* times[] = {"07:40:00", "08:15:00", "16:32:00"};
    const char* messages[] = {"Fully charged at 100%", "Disconnected \u00B7 Drain 9%/h", "68% \u00B7 2H 40M remaining"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(time::format(s.log[i].time, "HH:mm:ss"), times[i]);
        EXPECT_TRUE(time::isSameDay(s.log[i].time, time::now()));
        EXPECT_EQ(s.log[i].message, messages[i]);
        EXPECT_EQ(s.log[i].isCurrent, i == 2);  // exactly one current entry, the last
    }
    expectRoundTrip(s);

    auto other = s;
    other.log[0].isCurrent = true;
    EXPECT_NE(other, s);
}

TEST(UsageSnapshot, StoredFormSampleAndEquality) {
    const UsageSnapshot empty{0, 480, {}, {{"Wed", 0, true, false}}};
    EXPECT_EQ(*coding::encode(empty),
              R"({"totalMinutes":0,"budgetMinutes":480,"apps":[],"week":[{"label":"Wed","minutes":0,"isToday":true,"isPeak":false}]})");
    expectRoundTrip(empty);
    expectDecodes<UsageSnapshot>({
        {R"({"totalMinutes":0,"budgetMinutes":480,"apps":[],"week":[],"x":1})", true},
        {R"({"totalMinutes":0,"budgetMinutes":480,"week":[]})", false},
        {R"({"totalMinutes":0,"budgetMinutes":480,"apps":[{"name":"A","minutes":1}],"week":[]})", false},
        {R"({"totalMinutes":"0","budgetMinutes":480,"apps":[],"week":[]})", false},
    });

    const auto& s = UsageSnapshot::sample();
    EXPECT_EQ(s.totalMinutes, 204);
    EXPECT_EQ(s.budgetMinutes, 180);
    EXPECT_EQ(s.apps, (std::vector<UsageSnapshot::App>{{"Figma", 72, false}, {"Safari", 47, false}, {"Messages", 36, true}}));
    ASSERT_EQ(s.week.size(), 7u);
    const char* labels[] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    const std::int64_t minutes[] = {250, 200, 300, 150, 250, 350, 204};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(s.week[i].label, labels[i]);
        EXPECT_EQ(s.week[i].minutes, minutes[i]);
        EXPECT_EQ(s.week[i].isToday, i == 6);
        EXPECT_EQ(s.week[i].isPeak, i == 5);
    }
    expectRoundTrip(s);

    EXPECT_NE((UsageSnapshot::App{"A", 5, false}), (UsageSnapshot::App{"A", 5, true}));
}

TEST(BridgedRecords, NowPlayingAndInbox) {
    const NowPlayingSnapshot np{"T/1", "A", 5, 60, false, Date{2.5}};
    EXPECT_EQ(*coding::encode(np),
              R"({"title":"T\/1","artist":"A","positionSeconds":5,"durationSeconds":60,"isPlaying":false,"updated":2.5})");
    expectRoundTrip(np);
    expectDecodes<NowPlayingSnapshot>({
        {R"({"title":"t","artist":"a","positionSeconds":1,"durationSeconds":2,"isPlaying":true,"updated":0,"album":"x"})", true},
        {R"({"title":"t","artist":"a","positionSeconds":1,"durationSeconds":2,"updated":0})", false},
        {R"({"title":"t","artist":"a","positionSeconds":1.5,"durationSeconds":2,"isPlaying":true,"updated":0})", false},
    });

    const InboxSnapshot none{0, std::nullopt, std::nullopt, false, Date{9}};
    EXPECT_EQ(*coding::encode(none), R"({"unread":0,"connected":false,"updated":9})");
    expectRoundTrip(none);
    expectDecodes<InboxSnapshot>({
        {R"({"unread":1,"latestPreview":null,"latestDate":null,"connected":true,"updated":0})", true},
        {R"({"unread":1,"latestPreview":"a: b","latestDate":3,"connected":true,"updated":0})", true},
        {R"({"unread":1,"latestPreview":"a: b","latestDate":"3","connected":true,"updated":0})", false},
        {R"({"unread":1,"connected":true})", false},
    });

    const auto& n = NowPlayingSnapshot::sample();
    EXPECT_EQ(n.title.size(), 15u);
    EXPECT_EQ(n.artist.size(), 10u);
    EXPECT_EQ((std::tuple{n.positionSeconds, n.durationSeconds, n.isPlaying}), (std::tuple{192, 245, true}));
    const auto& i = InboxSnapshot::sample();
    EXPECT_EQ(i.unread, 3);
    ASSERT_TRUE(i.latestPreview && i.latestDate);
    EXPECT_EQ(i.latestPreview->size(), 28u);
    EXPECT_NE(i.latestPreview->find(": "), std::string::npos);
    EXPECT_EQ(*i.latestDate, i.updated - 120);
    EXPECT_TRUE(i.connected);
    EXPECT_EQ(n.updated, NowPlayingSnapshot::sample().updated);
}

} // namespace
} // namespace plyx
