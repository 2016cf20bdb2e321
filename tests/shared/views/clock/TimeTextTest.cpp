#include "shared/views/clock/TimeText.h"

#include "tests/shared/views/clock/ClockTestContext.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using Style = ThemeSettings::NumeralStyle;

TEST(TimeText, HoursAndMinutesInEveryFormAndStyle) {
    struct Case {
        int hour, minute, form;
        Style style;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {9, 5, 12, Style::dotMatrix, {"9", "05"}},   {9, 5, 24, Style::dotMatrix, {"09", "05"}},
        {9, 5, 12, Style::mono, {"9:05"}},           {9, 5, 24, Style::mono, {"09:05"}},
        {9, 5, 12, Style::system, {"9:05"}},         {9, 5, 24, Style::system, {"09:05"}},
        {0, 30, 12, Style::dotMatrix, {"12", "30"}}, {0, 30, 24, Style::dotMatrix, {"00", "30"}},
        {0, 30, 12, Style::mono, {"12:30"}},         {0, 30, 24, Style::mono, {"00:30"}},
        {0, 30, 12, Style::system, {"12:30"}},       {0, 30, 24, Style::system, {"00:30"}},
        {21, 40, 12, Style::mono, {"9:40"}},         {21, 40, 24, Style::system, {"21:40"}},
    };
    const ui::Color red = ui::Color::rgb(1, 0, 0);
    for (const auto& c : cases) {
        test::ClockSetting setting(c.form);
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute) + " " + std::to_string(c.form) + "h " +
                     rawValue(c.style));
        const Date d = time::dateFrom(2026, 1, 5, c.hour, c.minute, 0, "America/Chicago");
        const auto lines =
            test::dumpLines(TimeText{d, "America/Chicago", 15, red, ui::FontWeight::black, test::clockContext(c.style)},
                            {300, 60});
        const auto texts = test::ofKind(lines, "Text");
        std::vector<std::string> shown;
        for (const auto& t : texts) {
            shown.push_back(t.text());
            EXPECT_EQ(t.attr("color"), test::hex(red));
            EXPECT_EQ(t.attr("size"), "15");
        }
        EXPECT_EQ(shown, c.texts);
        // Only the dot-matrix style draws its own colon, in the text's colour.
        const auto squares = test::ofKind(lines, "RoundedRectangle");
        ASSERT_EQ(squares.size(), c.style == Style::dotMatrix ? 2u : 0u);
        for (const auto& s : squares) EXPECT_EQ(s.attr("fill"), test::hex(red));
    }
}

TEST(TimeText, ColonScalesWithTheDigits) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 9, 5, 0, "UTC");
    for (const double u : {1.0, 2.0}) {
        SCOPED_TRACE(u);
        const auto lines = test::dumpLines(
            TimeText{d, "UTC", 15, ui::Color::white(), ui::FontWeight::black,
                     test::clockContext(Style::dotMatrix, ThemeSettings::LabelStyle::monoCaps, u)},
            {300, 100});
        const auto texts = test::ofKind(lines, "Text");
        const auto squares = test::ofKind(lines, "RoundedRectangle");
        ASSERT_EQ(texts.size(), 2u);
        ASSERT_EQ(squares.size(), 2u);
        // At size 15: squares 1.5 across, 2.55 apart, 1.35 after the hours and 2.1 before the minutes.
        EXPECT_NEAR(squares[0].width, 1.5 * u, 0.01);
        EXPECT_NEAR(squares[0].height, 1.5 * u, 0.01);
        EXPECT_NEAR(squares[1].y - (squares[0].y + squares[0].height), 2.55 * u, 0.01);
        EXPECT_NEAR(squares[0].x - (texts[0].x + texts[0].width), 1.35 * u, 0.01);
        EXPECT_NEAR(texts[1].x - (squares[0].x + squares[0].width), 2.1 * u, 0.01);
        EXPECT_EQ(texts[0].attr("size"), u == 1 ? "15" : "30");
        // The colon sits in the middle of the digits' height.
        EXPECT_NEAR((squares[0].y + squares[1].y + squares[1].height) / 2, texts[0].y + texts[0].height / 2, 0.01);
    }
}

TEST(TimeText, SameInstantInTwoZones) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 9, 5, 0, "UTC");
    const auto ctx = test::clockContext(Style::mono);
    const auto in = [&](const char* zone) {
        return test::textsOf(TimeText{d, zone, 15, ui::Color::white(), ui::FontWeight::black, ctx}, {300, 60});
    };
    EXPECT_EQ(in("UTC"), std::vector<std::string>{"09:05"});
    EXPECT_EQ(in("Asia/Tokyo"), std::vector<std::string>{"18:05"});
    EXPECT_EQ(in("Asia/Kolkata"), std::vector<std::string>{"14:35"});
}

} // namespace
} // namespace plyx
