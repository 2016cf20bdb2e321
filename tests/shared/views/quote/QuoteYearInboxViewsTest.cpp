#include "shared/foundation/PlyxFonts.h"
#include "shared/views/quote/InboxView.h"
#include "shared/views/quote/QuoteView.h"
#include "shared/views/quote/YearProgressView.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plyx;
using test::hex;

namespace {

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};
const Date kNow = Date::fromUnix(1778180400);
const std::string kDash = "\u2014";

} // namespace

TEST(QuoteView, CutsTheSayingAfterThreeLinesAndKeepsTheAuthorAtTheBottom) {
    const QuoteItem longOne{"Simplicity is prerequisite for reliability, and reliability is what lets every other "
                            "quality of a system be built on top of it without fear of collapse.",
                            "Edsger Dijkstra"};
    for (auto labels : {ThemeSettings::LabelStyle::monoCaps, ThemeSettings::LabelStyle::systemSans}) {
        SCOPED_TRACE(int(labels));
        const auto ctx = test::viewContext(labels);
        const auto lines = test::dumpLines(QuoteView{longOne, ctx}.body(), kMedium);
        const auto texts = test::ofKind(lines, "Text");
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(test::textOf(texts[0]), "\u201c");
        EXPECT_EQ(texts[0].attr("color"), hex(ctx.pal.accent));
        // The saying keeps its case in either style, three lines ending in an ellipsis.
        const auto saying = test::textOf(texts[1]);
        size_t breaks = 0;
        for (auto at = saying.find("\\n"); at != std::string::npos; at = saying.find("\\n", at + 2)) ++breaks;
        EXPECT_EQ(breaks, 2u) << saying;
        EXPECT_EQ(saying.substr(0, 10), "Simplicity");
        EXPECT_EQ(saying.substr(saying.size() - 3), "\u2026");
        const auto font = PlyxFonts::label(13, labels);
        EXPECT_NE((texts[1].attrs + " ").find("font=" + (font.family.empty() ? "system" : font.family) + " size=13 "),
                  std::string::npos)
            << texts[1].attrs;
        EXPECT_EQ(texts[1].attr("weight"), labels == ThemeSettings::LabelStyle::systemSans ? "medium" : "");
        const std::string author = labels == ThemeSettings::LabelStyle::monoCaps ? "EDSGER DIJKSTRA \u00b7 DAILY"
                                                                                  : "Edsger Dijkstra \u00b7 Daily";
        EXPECT_EQ(test::textOf(texts[2]), author);
        EXPECT_NEAR(texts[2].y + texts[2].height, 160 - 20, 0.01);
        EXPECT_GT(texts[2].y, texts[1].y + texts[1].height);
    }
}

TEST(YearProgressView, FillsDotsAndPercentHalfAwayFromZero) {
    const auto ctx = test::viewContext();
    struct Case {
        YearInfo info;
        int filled;
        const char *percent, *line;
    };
    const Case cases[] = {
        {{2026, 1, 365}, 0, "0%", "DAY 1 \u00b7 364 REMAINING"},
        {{2026, 365, 365}, 54, "100%", "DAY 365 \u00b7 0 REMAINING"},
        {{2028, 183, 366}, 27, "50%", "DAY 183 \u00b7 183 REMAINING"},
        {{2026, 100, 365}, 15, "27%", "DAY 100 \u00b7 265 REMAINING"}, // 14.79 dots, 27.4 %
        {{2026, 196, 365}, 29, "54%", "DAY 196 \u00b7 169 REMAINING"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const YearProgressView view{c.info, ctx};
        EXPECT_EQ(view.filledDots(), c.filled);
        const auto lines = test::dumpLines(view.body(), kMedium);
        EXPECT_EQ(test::texts(lines),
                  (std::vector<std::string>{"YEAR " + std::to_string(c.info.year), c.percent, c.line}));
        const auto dots = test::circleFills(lines);
        ASSERT_EQ(dots.size(), 54u);
        // The last filled dot (the first while none is) is today's, in the accent colour.
        const int today = std::max(c.filled - 1, 0);
        for (int i = 0; i < 54; ++i) {
            const auto want = i == today ? ctx.pal.accent : i < c.filled ? ctx.pal.fill : ctx.pal.track;
            EXPECT_EQ(dots[size_t(i)], hex(want)) << i;
        }
    }
}

TEST(InboxView, AgeReadsMinutesThenWholeHours) {
    const std::pair<std::optional<double>, const char*> cases[] = {
        {std::nullopt, ""},      {0, "0 min ago"},         {-600, "0 min ago"},      {59 * 60 + 59, "59 min ago"},
        {3600, "1h ago"},        {119 * 60 + 59, "1h ago"}, {150 * 60, "2h ago"},      {86400, "24h ago"},
        {1e300, "150000000000000h ago"},
    };
    for (const auto& [age, text] : cases) {
        const std::optional<Date> date = age ? std::optional<Date>(kNow - *age) : std::nullopt;
        EXPECT_EQ(InboxView::ago(date, kNow), text) << (age ? *age : -1);
    }
}

TEST(InboxView, ConnectedDisconnectedAndAbsent) {
    const auto ctx = test::viewContext();
    struct Case {
        const char* name;
        std::optional<InboxSnapshot> data;
        std::vector<std::string> texts;
        bool accentDot;
    };
    const Case cases[] = {
        {"absent", std::nullopt, {"INBOX", kDash, "CONNECT MAIL IN PLYX SETTINGS"}, false},
        {"connected", InboxSnapshot{3, "Maya: Press kit", kNow - 150 * 60, true, kNow},
         {"INBOX", "3", "Maya: Press kit", "2H AGO"}, true},
        {"connected, nothing unread", InboxSnapshot{0, std::nullopt, std::nullopt, true, kNow},
         {"INBOX", "0", "No unread mail", ""}, false},
        // Not connected: the preview is not shown, but the dot still follows the count.
        {"disconnected", InboxSnapshot{2, "Old: news", kNow - 60, false, kNow},
         {"INBOX", "2", "CONNECT MAIL IN PLYX SETTINGS"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Wider than the design size: the connect caption in capitals is cut on a small widget.
        const auto lines = test::dumpLines(InboxView{c.data, ctx}.body(), {300, 160}, test::at(kNow));
        EXPECT_EQ(test::texts(lines), c.texts);
        EXPECT_EQ(test::circleFills(lines),
                  std::vector<std::string>{hex(c.accentDot ? ctx.pal.accent : ctx.pal.inkFaint)});
        EXPECT_EQ(test::textLine(lines, c.texts[1])->attr("size"), "64");
    }
}
