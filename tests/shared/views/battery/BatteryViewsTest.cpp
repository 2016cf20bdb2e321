#include "shared/views/battery/BatteryDevices.h"
#include "shared/views/battery/BatteryLog.h"
#include "shared/views/battery/BatteryPercent.h"
#include "shared/views/battery/BatteryRing.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/shared/views/ViewTestContext.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plyx;
using test::DumpLine;

namespace {


PowerSnapshot power(std::int64_t percent, bool charging = false, std::optional<std::string> remaining = {}) {
    PowerSnapshot p;
    p.percent = percent;
    p.isCharging = charging;
    p.remaining = std::move(remaining);
    return p;
}


int dotsIn(const std::vector<DumpLine>& lines, const ui::Color& c) {
    const auto want = test::hex(c);
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const DumpLine& l) { return l.kind == "Circle" && l.attr("fill") == want; }));
}

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};

} // namespace

TEST(BatteryRing, ArcFollowsTheChargeFromEmptyToClosed) {
    const auto ctx = test::viewContext();
    // A whole circle dumps no trim.
    const std::pair<std::int64_t, const char*> cases[] = {{0, "0,0"}, {68, "0,0.68"}, {100, ""}};
    for (const auto& [percent, trim] : cases) {
        SCOPED_TRACE(percent);
        const auto lines = test::dumpLines(BatteryRing{power(percent), ctx}.body(), kSmall);
        std::vector<DumpLine> rings;
        for (const auto& l : lines)
            if (l.kind == "Circle" && !l.attr("stroke").empty()) rings.push_back(l);
        ASSERT_EQ(rings.size(), 2u);
        EXPECT_EQ(rings[0].attr("stroke"), test::hex(ctx.pal.track));
        EXPECT_EQ(rings[1].attr("stroke"), test::hex(ctx.pal.fill));
        EXPECT_EQ(rings[1].attr("trim"), trim);
        EXPECT_NE(test::textLine(lines, std::to_string(percent)), nullptr);
        EXPECT_NE(test::textLine(lines, "LAPTOP"), nullptr);
    }
}

TEST(BatteryPercent, StatusIsChargingElseTheTimeRemaining) {
    struct Case {
        PowerSnapshot data;
        const char* status;
    };
    const Case cases[] = {
        {power(40, true, "1H 5M"), "Charging"},
        {power(68, false, "2H 40M"), "2H 40M remaining"},
        {power(68, false), "\u2014 remaining"},
    };
    const auto ctx = test::viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(BatteryPercent::status(c.data), c.status);
        const auto lines = test::dumpLines(BatteryPercent{c.data, ctx}.body(), kSmall);
        std::string upper = c.status;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](char ch) { return char(std::toupper(ch)); });
        EXPECT_NE(test::textLine(lines, upper), nullptr);
        const int dots = int(test::ofKind(lines, "Circle").size());
        ASSERT_GT(dots, 0);
        EXPECT_EQ(dotsIn(lines, ctx.pal.fill), std::lround(c.data.percent / 100.0 * dots));
    }
}

TEST(BatteryDevices, DevicesAtTwentyPercentOrLessTurnToTheAccent) {
    const auto ctx = test::viewContext();
    auto data = power(50);
    data.devices = {{"Mouse", 21}, {"Keyboard", 20}};
    const auto lines = test::dumpLines(BatteryDevices{data, ctx}.body(), kMedium);
    ASSERT_NE(test::textLine(lines, "MOUSE"), nullptr);
    EXPECT_EQ(test::textLine(lines, "MOUSE")->attr("color"), test::hex(ctx.pal.ink));
    EXPECT_EQ(test::textLine(lines, "21")->attr("color"), test::hex(ctx.pal.ink));
    EXPECT_EQ(test::textLine(lines, "KEYBOARD")->attr("color"), test::hex(ctx.pal.accent));
    EXPECT_EQ(test::textLine(lines, "20")->attr("color"), test::hex(ctx.pal.accent));
    // The low row's bar is lit in the accent, the other's in the fill.
    EXPECT_GT(dotsIn(lines, ctx.pal.accent), 0);
    EXPECT_GT(dotsIn(lines, ctx.pal.fill), 0);
    // Rows in the order given, the first above.
    EXPECT_LT(test::textLine(lines, "MOUSE")->y, test::textLine(lines, "KEYBOARD")->y);
}

TEST(BatteryLog, ShowsTheLastThreeEntriesTheCurrentOneInTheAccent) {
    test::FreshStorage fresh;
    const auto ctx = test::viewContext();
    auto data = power(55, true);
    for (int i = 1; i <= 5; ++i)
        data.log.push_back({time::dateFrom(2026, 3, 9, 8 + i, 5, 0, "UTC"), "entry " + std::to_string(i), i == 5});
    for (const int hourForm : {24, 12}) {
        SharedStorage::setInteger(StorageKeys::timeFormat, hourForm);
        const auto lines = test::dumpLines(BatteryLog{data, ctx}.body(), kMedium);
        EXPECT_EQ(test::textLine(lines, "ENTRY 2"), nullptr);
        ASSERT_NE(test::textLine(lines, "ENTRY 3"), nullptr);
        ASSERT_NE(test::textLine(lines, "ENTRY 5"), nullptr);
        EXPECT_LT(test::textLine(lines, "ENTRY 3")->y, test::textLine(lines, "ENTRY 4")->y);
        EXPECT_LT(test::textLine(lines, "ENTRY 4")->y, test::textLine(lines, "ENTRY 5")->y);
        EXPECT_EQ(test::textLine(lines, "ENTRY 5")->attr("color"), test::hex(ctx.pal.accent));
        EXPECT_EQ(test::textLine(lines, "ENTRY 4")->attr("color"), test::hex(ctx.pal.ink));
        EXPECT_NE(test::textLine(lines, "11:05"), nullptr);
        EXPECT_NE(test::textLine(lines, "CHARGING"), nullptr);
    }
    // Afternoon entries: the 12-hour form has no day-period marker.
    SharedStorage::setInteger(StorageKeys::timeFormat, 12);
    data.log = {{time::dateFrom(2026, 3, 9, 14, 5, 0, "UTC"), "late", true}};
    data.isCharging = false;
    const auto pm = test::dumpLines(BatteryLog{data, ctx}.body(), kMedium);
    EXPECT_NE(test::textLine(pm, "2:05"), nullptr);
    EXPECT_NE(test::textLine(pm, "ON BATTERY"), nullptr);
    SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    EXPECT_NE(test::textLine(test::dumpLines(BatteryLog{data, ctx}.body(), kMedium), "14:05"), nullptr);

    // An empty log still draws the header and the bar.
    data.log.clear();
    const auto empty = test::dumpLines(BatteryLog{data, ctx}.body(), kMedium);
    EXPECT_NE(test::textLine(empty, "POWER LOG"), nullptr);
    EXPECT_GT(test::ofKind(empty, "Circle").size(), 2u);
}
