#include "platform/ui/View.h"

#include <gtest/gtest.h>

using namespace plyx::ui;
using plyx::Date;

TEST(Timers, TimerStrings) {
    const Date t0{1000};
    const struct {
        double from, to, now;
        bool down, hours;
        const char* expected;
    } cases[] = {
        {0, 1500, 0, true, false, "25:00"},       // a countdown shows its full length at the start
        {0, 1500, 0.4, true, false, "25:00"},     // partial seconds count down rounded up
        {0, 1500, 1499.2, true, false, "0:01"},
        {0, 1500, 1500, true, false, "0:00"},
        {0, 1500, 9999, true, false, "0:00"},     // after the end it stays at zero
        {0, 1500, -50, true, false, "25:00"},     // before the start it shows the whole interval
        {0, 1e12, 59.9, false, false, "0:59"},    // counting up rounds down
        {0, 1e12, 4530, false, false, "75:30"},   // no hours: the minutes run past 59
        {0, 1e12, 4530, false, true, "1:15:30"},
        {0, 1e12, 3599, false, true, "59:59"},
        {0, 1e12, -5, false, true, "0:00"},
        {0, 60, 120, false, true, "1:00"},        // counting up stops at the end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(timerString(t0 + c.from, t0 + c.to, t0 + c.now, c.down, c.hours), c.expected);
    }
}

TEST(Timers, LiveViewsReadTheRenderMoment) {
    const Date start{5000};
    Environment env;
    env.now = start + 90;
    const View text = TimerText(start, start + 300, true).font(Font::system(12));
    EXPECT_NE(dump(text, {100, 20}, env).find("text=\"3:30\""), std::string::npos);
    env.now = start + 299.5;
    EXPECT_NE(dump(text, {100, 20}, env).find("text=\"0:01\""), std::string::npos);

    // The bar's fill is the share of the interval passed, of the offered width.
    const View bar = TimerProgress(start, start + 200, false, Color::rgb(1, 0, 0)).frame(100, std::nullopt);
    env.now = start + 50;
    const std::string quarter = dump(bar, {100, 20}, env);
    EXPECT_NE(quarter.find("Capsule 0,8 25x4 fill=#FF0000FF"), std::string::npos) << quarter;
    EXPECT_NE(quarter.find("Capsule 0,8 100x4 fill=#FF000033"), std::string::npos) << quarter;
    env.now = start + 500;
    EXPECT_NE(dump(bar, {100, 20}, env).find("Capsule 0,8 100x4 fill=#FF0000FF"), std::string::npos);
    EXPECT_DOUBLE_EQ(timerFraction(start, start + 200, start + 50, true), 0.75);
    EXPECT_DOUBLE_EQ(timerFraction(start, start, start, false), 1.0); // an empty interval is complete
}
